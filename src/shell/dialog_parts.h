// Pieces our dialogs share, so that they look and behave alike: a named button, the usual row of
// OK and Cancel, and the layout of contents above buttons at the size the contents need.
#pragma once

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QAction;
class QLayout;
class QMenu;
class QPushButton;
class QVBoxLayout;

// A push button of `parent` with its object name and caption, which Enter does not press unless
// it is made the default.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text);

// An item of `menu` with its object name and caption.
QAction* NamedMenuItem(QMenu* menu, const char* name, const QString& text);

// A button of `box` with its object name and caption.
QPushButton* AddDialogButton(QDialogButtonBox* box, const char* name, const QString& text,
                             QDialogButtonBox::ButtonRole role);

// The OK / Cancel row of a dialog.
struct OkCancelRow {
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};

// A button box of `dialog` holding "OK" (object name `okName`, the default button) and a button
// captioned `cancelText` (object name `cancelName`) that rejects `dialog`. What OK does is the
// caller's to connect.
OkCancelRow AddOkCancel(QDialog* dialog, const char* okName, const char* cancelName,
                        const QString& cancelText = "&Cancel");

// Lays `dialog` out as `content` above `buttons`: margins of `margin` (12 below), `spacing`
// between them, and the dialog fixed at the size its contents need. Returns the layout, for a
// screen that puts more between the two.
QVBoxLayout* LayOutDialog(QDialog* dialog, QLayout* content, QWidget* buttons, int margin = 16,
                          int spacing = 16);
