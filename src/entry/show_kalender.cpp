#include "entry/show_kalender.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/ini.h"
#include "entry/editor_parts.h"

namespace {

// Dates read day, month, four-digit year, separated by "-", throughout the program.
constexpr char kDateFormat[] = "dd-MM-yyyy";

QToolButton* MonthButton(const char* name, Qt::ArrowType arrow, const char* hint,
                         const char* spoken, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(spoken);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setAutoRepeat(true);
    button->setFixedSize(28, 28);
    if (IniReadBool("Opstart", "Hints"))
        button->setToolTip(hint);
    return button;
}

}  // namespace

TShowKalender::TShowKalender(QWidget* parent)
    : QDialog(parent), kalender1_(new QCalendarWidget(this)), titleLabel_(new QLabel(this)) {
    setObjectName("ShowKalender");
    setWindowTitle("Calendar");

    kalender1_->setObjectName("Kalender1");
    kalender1_->setNavigationBarVisible(false);
    kalender1_->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    kalender1_->setFirstDayOfWeek(Qt::Monday);
    kalender1_->setGridVisible(true);
    kalender1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    kalender1_->setMinimumSize(300, 200);
    connect(kalender1_, &QCalendarWidget::currentPageChanged, this, &TShowKalender::ShowTitle);
    connect(kalender1_, &QCalendarWidget::activated, this, &QDialog::accept);

    titleLabel_->setObjectName("TitleLabel");
    titleLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    titleLabel_->setFont(bold);

    QToolButton* prev =
        MonthButton("PrevMonthBtn", Qt::LeftArrow, "Maand terug", "Previous month", this);
    QToolButton* next =
        MonthButton("NextMonthBtn", Qt::RightArrow, "Maand vooruit", "Next month", this);
    connect(prev, &QToolButton::clicked, this, &TShowKalender::PrevMonthBtnClick);
    connect(next, &QToolButton::clicked, this, &TShowKalender::NextMonthBtnClick);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(buttons, "BitBtn1", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel =
        AddDialogButton(buttons, "BitBtn2", "&Cancel", QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* title = new QHBoxLayout;
    title->addWidget(prev);
    title->addWidget(titleLabel_, 1);
    title->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(title);
    layout->addWidget(kalender1_, 1);
    layout->addWidget(buttons);

    setDate(QDate::currentDate());
    kalender1_->setFocus();
}

std::optional<QDate> TShowKalender::Pick(QWidget* parent, QDate start) {
    TShowKalender screen(parent);
    if (start.isValid())
        screen.setDate(start);
    if (screen.exec() != QDialog::Accepted)
        return std::nullopt;
    return screen.date();
}

void TShowKalender::setDate(QDate date) {
    if (!date.isValid())
        return;
    kalender1_->setSelectedDate(date);
    kalender1_->setCurrentPage(date.year(), date.month());
    ShowTitle();
}

QDate TShowKalender::date() const {
    return kalender1_->selectedDate();
}

QString TShowKalender::dateText() const {
    return FormatDate(date());
}

QString TShowKalender::FormatDate(QDate date) {
    return date.toString(kDateFormat);
}

QDate TShowKalender::ParseDate(const QString& text) {
    return QDate::fromString(text.trimmed(), kDateFormat);
}

void TShowKalender::ShowTitle() {
    // "MMMM, YYYY": the month's name, a comma and the four-digit year.
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    titleLabel_->setText(QString("%1, %2")
                             .arg(english.standaloneMonthName(kalender1_->monthShown()))
                             .arg(kalender1_->yearShown()));
}

// The picked day follows the month shown, so that OK gives a day of the month on the screen.
void TShowKalender::PrevMonthBtnClick() {
    setDate(date().addMonths(-1));
}

void TShowKalender::NextMonthBtnClick() {
    setDate(date().addMonths(1));
}
