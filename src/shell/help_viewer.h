// THelpViewer: the program's help, HTML pages in the help folder shown in a window of their
// own with back, forward and contents. One viewer serves the whole run; opening help again
// moves it to the page asked for.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QUrl>

class THelpBrowser;

class THelpViewer : public QMainWindow {
    Q_OBJECT
public:
    // Pages are read from `helpFolder` (index.html is the contents, contexts.ini maps help
    // context numbers to pages).
    explicit THelpViewer(QString helpFolder, QWidget* parent = nullptr);

    // Shows the page of help context `context` (0: the contents) and brings the window to the
    // front. Opened while a modal dialog or message box is up, the viewer stacks over it so
    // that it can be used without closing that dialog.
    void Open(int context);

    // The page shown, for tests.
    QUrl source() const;
    // The title of the page shown.
    QString pageTitle() const;

private:
    QUrl PageUrl(int context) const;
    void Contents();
    void UpdateTitle();
    void PlaceBesideMainWindow();

    QString folder_;
    THelpBrowser* browser_;
    bool placed_ = false;
};
