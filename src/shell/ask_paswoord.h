// TAskPaswoord: the password question, asked at start and when the lock on adding and modifying
// is lifted. It allows further tries only while the run-wide attempt counter is below three.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

class TAskPaswoord : public QDialog {
    Q_OBJECT
public:
    explicit TAskPaswoord(QWidget* parent = nullptr);

    // True when the dialog was closed with "OK" holding the right password.
    bool PasswordGiven() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OKBtnClick();
    bool TypedMatches() const;

    QLineEdit* password_;
    std::string expected_;
};
