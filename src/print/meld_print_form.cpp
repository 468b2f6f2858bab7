#include "print/meld_print_form.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TMeldPrintForm::TMeldPrintForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MeldPrintForm");
    setWindowTitle("Afdrukken");
    auto* text = new QLabel("One moment, preparing report...", this);
    text->setObjectName("Label1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(text);
    setFixedSize(sizeHint());
    // Only shown on a screen: a report run from the command line has no window.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        show();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
