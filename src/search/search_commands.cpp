#include "search/search_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "search/quick_find_box.h"
#include "search/vertraag_form.h"
#include "search/zoek_artiest_form.h"
#include "search/zoek_geluidsdrager_form.h"
#include "search/zoek_hoofdtitel_form.h"
#include "search/zoek_jaar_form.h"
#include "search/zoek_tekstblad_form.h"
#include "search/zoek_tijd_form.h"
#include "search/zoek_woord_form.h"
#include "shell/main_form.h"

void OpenSearchWindow(TMainForm& form, TZoekForm* screen) {
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void InstallSearchCommands(TMainForm& form, Catalogue& catalogue) {
    for (const ProfileCommand& command : ProfileCommands()) {
        form.registerCommand(command.command, [&form, &catalogue, command] {
            TZoekForm* screen = nullptr;
            if (command.tracks)
                screen = new TZoekArtiestForm(catalogue);
            else
                screen = new TZoekHoofdtitelForm(catalogue);
            // Track screens without a pick list show a plain edit field.
            screen->InitZoek(command.profile, command.tracks && command.profile.LookupCode.empty());
            OpenSearchWindow(form, screen);
        });
    }
    form.registerCommand("Source1", [&form, &catalogue] {
        OpenSearchWindow(form, new TZoekGeluidsdragerForm(catalogue));
    });
    form.registerCommand(
        "Year1", [&form, &catalogue] { OpenSearchWindow(form, new TZoekJaarForm(catalogue)); });
    form.registerCommand("Tracktime1", [&form, &catalogue] {
        OpenSearchWindow(form, new TZoekTijdForm(catalogue));
    });
    auto* quickFind = new QuickFindBox(form, catalogue);
    form.registerCommand("Quickfind1", [quickFind] { quickFind->Focus(); });
    form.registerCommand("Memofields1", [&form, &catalogue] {
        OpenSearchWindow(form, new TZoekTekstbladForm(catalogue));
    });
    form.registerCommand(
        "Context1", [&form, &catalogue] { OpenSearchWindow(form, new TZoekWoordForm(catalogue)); });
    form.registerCommand("Delay1", [&form] {
        TVertraagForm delay(&form);
        delay.exec();
    });
}
