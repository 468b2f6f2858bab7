// The program's main window: the MDI frame that every screen opens in.
#pragma once

#include <QMainWindow>

class QMdiArea;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

private:
    QMdiArea* mdiArea_;
};
