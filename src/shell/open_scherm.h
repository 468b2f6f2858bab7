// TOpenScherm: the splash shown from program start until the main window has checked the data
// files. It can tell the user that the files are being created, which takes a while.
#pragma once

#include <QFrame>

class QLabel;

class TOpenScherm : public QFrame {
    Q_OBJECT
public:
    // A borderless window; show it with ShowCentred.
    explicit TOpenScherm(QWidget* parent = nullptr);

    // Shows the splash centred on the primary screen and paints it at once.
    void ShowCentred();
    // Shows the line "One moment, creating files..." and paints it at once, for use before a
    // long step that does not return to the event loop.
    void ShowCreatingFiles();

private:
    QLabel* creatingFiles_;
};
