#include "search/search_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "search/zoek_artiest_form.h"
#include "search/zoek_geluidsdrager_form.h"
#include "search/zoek_hoofdtitel_form.h"
#include "search/zoek_jaar_form.h"
#include "search/zoek_tekstblad_form.h"
#include "search/zoek_tijd_form.h"
#include "shell/main_form.h"

void OpenSearchWindow(TMainForm& form, TZoekForm* screen) {
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void InstallSearchCommands(TMainForm& form, Catalogue& catalogue, SearchLinks links) {
    for (const ProfileCommand& command : ProfileCommands()) {
        form.registerCommand(command.command, [&form, &catalogue, links, command] {
            TZoekForm* screen = nullptr;
            if (command.tracks)
                screen = new TZoekArtiestForm(catalogue, links);
            else
                screen = new TZoekHoofdtitelForm(catalogue, links);
            // Track screens without a pick list show a plain edit field.
            screen->InitZoek(command.profile, command.tracks && command.profile.LookupCode.empty());
            OpenSearchWindow(form, screen);
        });
    }
    form.registerCommand("Source1", [&form, &catalogue, links] {
        OpenSearchWindow(form, new TZoekGeluidsdragerForm(catalogue, links));
    });
    form.registerCommand("Year1", [&form, &catalogue, links] {
        OpenSearchWindow(form, new TZoekJaarForm(catalogue, links));
    });
    form.registerCommand("Tracktime1", [&form, &catalogue, links] {
        OpenSearchWindow(form, new TZoekTijdForm(catalogue, links));
    });
    form.registerCommand("Memofields1", [&form, &catalogue, links] {
        OpenSearchWindow(form, new TZoekTekstbladForm(catalogue, links));
    });
}
