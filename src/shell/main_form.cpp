#include "shell/main_form.h"

#include <QMdiArea>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    setObjectName("MainForm");
    setWindowTitle("TUNELO");
    setCentralWidget(mdiArea_);
}
