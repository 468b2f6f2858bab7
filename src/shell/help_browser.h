// THelpBrowser: the page view of the help viewer. A page that is not installed, or a help
// context without a page, shows a clear explanation instead of an empty window.
#pragma once

#include <QTextBrowser>

class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    // The address that stands for "no page for this context".
    static QUrl NoPageFor(int context);

    explicit THelpBrowser(QWidget* parent = nullptr);

    // The contents page, linked from every explanation.
    void setContentsPage(const QUrl& contents) { contents_ = contents; }

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString Explanation(const QString& title, const QString& text) const;

    QUrl contents_;
};
