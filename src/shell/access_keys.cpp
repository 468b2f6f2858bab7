#include "shell/access_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// The key of the caption's access key ("&Save" gives Qt::Key_S), 0 when it has none.
int MnemonicKey(const QString& caption) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    return mnemonic.isEmpty() ? 0 : mnemonic[0].key();
}

int KeyOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return MnemonicKey(button->text());
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->buddy() != nullptr ? MnemonicKey(label->text()) : 0;
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        return MnemonicKey(box->title());
    }
    return 0;
}

}  // namespace

std::vector<AccessKey> AccessKeysOf(QWidget* screen) {
    std::vector<AccessKey> keys;
    for (QWidget* widget : screen->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(screen)) {
            continue;
        }
        if (const int key = KeyOf(widget)) {
            keys.push_back({key, widget});
        }
    }
    return keys;
}

bool TriggerAccessKey(const AccessKey& key) {
    QWidget* control = key.control;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        control = label->buddy();
    }
    if (control == nullptr || !control->isEnabled()) {
        return false;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (button->focusPolicy() & Qt::TabFocus) {
            button->setFocus(Qt::ShortcutFocusReason);
        }
        button->click();
        return true;
    }
    if (auto* box = qobject_cast<QGroupBox*>(control)) {
        if (box->isCheckable()) {
            box->setChecked(!box->isChecked());
            return true;
        }
        control = box->nextInFocusChain();
    }
    control->setFocus(Qt::ShortcutFocusReason);
    return true;
}

ChildAccessKeys::ChildAccessKeys(QMdiArea* area) : QObject(area), area_(area) {
    qApp->installEventFilter(this);
}

const AccessKey* ChildAccessKeys::Find(int key) {
    QWidget* focus = QApplication::focusWidget();
    auto* child = focus != nullptr ? focus->parentWidget() : nullptr;
    while (child != nullptr && !qobject_cast<QMdiSubWindow*>(child)) {
        child = child->parentWidget();
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(child);
    if (sub == nullptr || sub->mdiArea() != area_ || sub->widget() == nullptr) {
        return nullptr;
    }
    keys_ = AccessKeysOf(sub->widget());
    for (const AccessKey& candidate : keys_) {
        if (candidate.key == key) {
            return &candidate;
        }
    }
    return nullptr;
}

bool ChildAccessKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress) && area_ != nullptr) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier && key->key() != Qt::Key_Alt) {
            if (const AccessKey* target = Find(key->key())) {
                // Claiming the override keeps the menu bar out; the key press then does the work.
                event->accept();
                if (type == QEvent::KeyPress) {
                    TriggerAccessKey(*target);
                }
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
