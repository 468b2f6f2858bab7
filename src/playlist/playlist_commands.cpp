#include "playlist/playlist_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "playlist/playlist_form.h"
#include "shell/main_form.h"

TPlaylistForm* OpenPlaylistScreen(TMainForm& form, Catalogue& catalogue) {
    // One list, one window.
    for (QMdiSubWindow* window : form.mdiArea()->subWindowList()) {
        if (auto* open = qobject_cast<TPlaylistForm*>(window->widget())) {
            form.mdiArea()->setActiveSubWindow(window);
            return open;
        }
    }
    auto* screen = new TPlaylistForm(catalogue, nullptr);
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return screen;
}

void InstallPlaylistCommands(TMainForm& form, Catalogue& catalogue) {
    form.setPlaylistOpener([&form, &catalogue] { OpenPlaylistScreen(form, catalogue); });
}
