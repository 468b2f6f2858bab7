// Drives a modal dialog from inside its own event loop: the action runs as soon as the dialog is
// the active modal widget. Used for dialogs the code under test shows with exec().
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace testutil {

// Runs `action` on the first modal widget to appear. If none appears within a second the test
// fails; a dialog that is still open after the action is rejected so that no test hangs.
inline void WhenModalShown(std::function<void(QWidget*)> action) {
    auto waited = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action = std::move(action), waited, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (++*waited > 100) {
                ADD_FAILURE() << "no modal dialog was shown";
                *poll = nullptr;
                return;
            }
            QTimer::singleShot(10, *poll);
            return;
        }
        action(modal);
        if (QApplication::activeModalWidget() == modal && modal->isVisible()) {
            ADD_FAILURE() << "the dialog " << modal->objectName().toStdString() << " was left open";
            modal->close();
        }
        *poll = nullptr;  // breaks the cycle of the shared function
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace testutil
