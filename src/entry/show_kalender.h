// TShowKalender: picks a date on a month calendar ("Calendar"), with the month named above it
// and buttons for the previous and next month.
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>
#include <optional>

class QCalendarWidget;
class QLabel;

class TShowKalender : public QDialog {
    Q_OBJECT
public:
    // Starts on today's date.
    explicit TShowKalender(QWidget* parent = nullptr);

    // Shows the calendar on `start` (today when invalid); the date picked on OK, nothing on
    // Cancel.
    static std::optional<QDate> Pick(QWidget* parent, QDate start = {});

    void setDate(QDate date);
    QDate date() const;
    // The date as the program shows dates: "24-12-1997".
    QString dateText() const;
    // "24-12-1997" for a date; the reverse of dateText (an invalid QDate when it is not one).
    static QString FormatDate(QDate date);
    static QDate ParseDate(const QString& text);

private:
    void ShowTitle();
    void PrevMonthBtnClick();
    void NextMonthBtnClick();

    QCalendarWidget* kalender1_;
    QLabel* titleLabel_;
};
