// TMeldPrintForm ("Afdrukken"): "One moment, preparing report..." while a report is counted and
// printed. It shows itself, painted at once, for its lifetime.
#pragma once

#include <QDialog>

class TMeldPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TMeldPrintForm(QWidget* parent);
};
