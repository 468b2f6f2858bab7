// Program entry: `tunelo [FOLDER]` starts on the catalogue in FOLDER, or in the current directory.
#include <QApplication>
#include <QDir>

#include "shell/main_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TUNELO");
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        QDir::setCurrent(args.at(1));
    }
    TMainForm mainForm;
    mainForm.showMaximized();
    return QApplication::exec();
}
