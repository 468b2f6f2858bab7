#include "shell/editing_screens.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/main_form.h"

namespace {

// By class name, so that the shell does not depend on the entry screens it looks for.
bool EditsRecords(const QWidget* widget) {
    static const char* const kScreens[] = {"TGeluidsInvoer", "TInvoegTrackForm",
                                           "TWijzigArtiestGegevens", "TWijzigHoofdtitelGegevens"};
    for (const char* name : kScreens) {
        if (widget && widget->inherits(name))
            return true;
    }
    return false;
}

}  // namespace

QString OpenEditingScreen(const TMainForm& form) {
    for (const QMdiSubWindow* window : form.mdiArea()->subWindowList()) {
        if (EditsRecords(window->widget()))
            return window->windowTitle().isEmpty() ? window->widget()->windowTitle()
                                                   : window->windowTitle();
    }
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && EditsRecords(widget))
            return widget->windowTitle();
    }
    return {};
}

bool RefuseWhileEditing(const TMainForm& form, const QString& command) {
    const QString screen = OpenEditingScreen(form);
    if (screen.isEmpty())
        return false;
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Warning,
                        QString("Please close the screen \"%1\" first: \"%2\" cannot run while it "
                                "is open.")
                            .arg(screen, command)
                            .toStdString());
    return true;
}
