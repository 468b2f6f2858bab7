#include "shell/help_browser.h"

#include <QTextDocument>

namespace {

const QString kNoPageScheme = QStringLiteral("tunelo-help");

}  // namespace

QUrl THelpBrowser::NoPageFor(int context) {
    QUrl url;
    url.setScheme(kNoPageScheme);
    url.setPath(QString::number(context));
    return url;
}

THelpBrowser::THelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("HelpBrowser");
    setOpenExternalLinks(true);
}

QString THelpBrowser::Explanation(const QString& title, const QString& text) const {
    QString page = "<html><head><title>" + title.toHtmlEscaped() + "</title></head><body>";
    page += "<h2>" + title.toHtmlEscaped() + "</h2><p>" + text + "</p>";
    if (contents_.isValid()) {
        page += "<p><a href=\"" + contents_.toString(QUrl::FullyEncoded).toHtmlEscaped() +
                "\">Go to the contents</a></p>";
    }
    return page + "</body></html>";
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource) {
        return QTextBrowser::loadResource(type, name);
    }
    if (name.scheme() == kNoPageScheme) {
        return Explanation("No help for this subject",
                           "There is no help page for this subject (help context " +
                               name.path().toHtmlEscaped() + ").");
    }
    const QVariant page = QTextBrowser::loadResource(type, name);
    if (page.isValid() && !page.toByteArray().isEmpty()) {
        return page;
    }
    const QString file = name.isLocalFile() ? name.toLocalFile() : name.toString();
    return Explanation("Help page not found",
                       "The help page <b>" + file.toHtmlEscaped() +
                           "</b> is not installed. Reinstalling the program puts it back.");
}
