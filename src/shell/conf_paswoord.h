// TConfPaswoord: changing or disabling the password (Preferences > "&Password"). The new fields
// open only after the present password has been typed, or at once when none is set.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

class TConfPaswoord : public QDialog {
    Q_OBJECT
public:
    // Reads the present password from cd.ini.
    explicit TConfPaswoord(QWidget* parent = nullptr);

private:
    void PresentChanged(const QString& text);
    void OKBtnClick();
    void EnableNewFields(bool enabled);

    QLineEdit* present_;
    QLineEdit* new_;
    QLineEdit* repeat_;
    QPushButton* ok_;
    std::string plain_;
};
