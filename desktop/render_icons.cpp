// Writes the program's logo into an icon theme folder, one PNG per size:
// `render_icons FOLDER NAME` makes FOLDER/<size>x<size>/apps/NAME.png. Run at build time, so
// that the installed icons are the very picture the program's windows carry.
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include "shell/product_logo.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 3) {
        errors << "Usage: render_icons FOLDER NAME\n";
        return 2;
    }
    for (const int size : kProductLogoSizes) {
        const QString folder = QString("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = folder + "/" + arguments[2] + ".png";
        if (!QDir().mkpath(folder) || !ProductLogoPixmap(size).save(file, "PNG")) {
            errors << "render_icons: cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
