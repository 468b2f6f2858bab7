// TColumnMapForm: the first step of importing any CSV file: one row per column of the file, with
// its header, its first values and the field it goes to ("Ignore", "Memo" or a field of the
// source or of a track). "&Continue" takes the map unless two columns go to one field.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

class TColumnMapForm : public QDialog {
    Q_OBJECT
public:
    // `targets` holds the target proposed for each column of `header` (ColumnTargets names);
    // `remembered` says that they are the map chosen before for this header.
    TColumnMapForm(const std::string& path, const std::vector<std::string>& header,
                   const std::vector<std::string>& targets, bool remembered,
                   QWidget* parent = nullptr);

    // The target chosen for each column.
    std::vector<std::string> targets() const;
    void ContinueBtnClick();

private:
    std::vector<std::string> header_;
    std::vector<QComboBox*> combos_;
};

// The target a column goes to when no map was chosen before: the target whose name or label is
// its header (in any letter case), else "memo", so that nothing is left behind unseen.
std::string GuessColumnTarget(const std::string& header);
// The first few values of each column of a CSV file, for the mapping step (nothing for a file
// that cannot be read).
std::vector<std::vector<std::string>> CsvSampleValues(const std::string& path, size_t columns,
                                                      size_t rows);
