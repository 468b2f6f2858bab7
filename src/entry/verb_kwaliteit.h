// TVerbKwaliteit: the text of a quality lookup item (code O). "OK" keeps the changed text,
// "&Cancel" leaves the item as it was.
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class QLineEdit;

class TVerbKwaliteit : public QDialog {
    Q_OBJECT
public:
    // Looks the quality item up (upper case, code O). `catalogue` must outlive the screen.
    TVerbKwaliteit(Catalogue& catalogue, const QString& quality, QWidget* parent = nullptr);

    // The double-click on the quality field: for a known quality the screen is shown and the
    // result is the item's text, trimmed, as it stands when the screen closes; for an unknown
    // one "ngev.wav" and "Quality \"<text>\" is not found." and the result is `quality`.
    static QString Show(Catalogue& catalogue, const QString& quality, QWidget* parent = nullptr);

    bool found() const { return found_; }
    // The item's text, trimmed, once the screen has closed.
    QString result() const { return result_; }

private:
    void BitBtn1Click();

    Catalogue& catalogue_;
    bool found_ = false;
    uint32_t recno_ = 0;
    QString result_;
    QLineEdit* dbEdit1_;
};
