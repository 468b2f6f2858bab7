// TLokatieBackupForm: where the backup program, the character map and the volume control are
// (Preferences > "&File locations"). "OK" writes all three paths, empty ones included;
// "&Cancel" writes nothing.
#pragma once

#include <QDialog>

class QGridLayout;
class QLineEdit;

class TLokatieBackupForm : public QDialog {
    Q_OBJECT
public:
    // Fills each field with its stored path; an absent key leaves the field empty.
    explicit TLokatieBackupForm(QWidget* parent = nullptr);

private:
    QLineEdit* AddRow(QGridLayout* grid, int row, const char* caption, const char* editName,
                      const char* buttonName, const char* key);
    void Browse(QLineEdit* field);
    void OKBtnClick();

    QLineEdit* backup_;
    QLineEdit* specialeTekens_;
    QLineEdit* volumeControl_;
};
