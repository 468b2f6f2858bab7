// Access keys (the underlined letter of a caption, Alt+letter) of the controls of one screen, and
// ChildAccessKeys, which lets the child window that has the focus answer its own access keys
// before the main menu does: on the entry screen Alt+S is "Save and close", not the Source menu.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QMdiArea;
class QWidget;

// One control that answers an access key: a button, a check box, a group box, or a caption whose
// buddy takes the focus.
struct AccessKey {
    int key = 0;  // Qt::Key of the letter or digit, upper case
    QWidget* control = nullptr;
};

// The access keys of the controls under `screen` that are not hidden, in creation order.
std::vector<AccessKey> AccessKeysOf(QWidget* screen);

// Presses, checks or focuses `key.control` as its access key does. False when the control is
// disabled or has nothing to do.
bool TriggerAccessKey(const AccessKey& key);

class ChildAccessKeys : public QObject {
    Q_OBJECT
public:
    // Watches the whole application for Alt+letter while a child window of `area` has the focus;
    // lives as long as `area`.
    explicit ChildAccessKeys(QMdiArea* area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The control of the focused child window that answers Alt+`key`, if any. A disabled one
    // still keeps the key from the main menu, as it would in a window of its own.
    const AccessKey* Find(int key);

    QPointer<QMdiArea> area_;
    std::vector<AccessKey> keys_;
};
