#include "overview/overview_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "overview/check_catalogue_form.h"
#include "overview/data1_tot_ovz.h"
#include "overview/data2_tot_ovz.h"
#include "overview/dubbel_form.h"
#include "overview/info_database_form.h"
#include "shell/main_form.h"

namespace {

template <typename Screen>
Screen* OpenOverview(TMainForm& form, Catalogue& catalogue) {
    auto* screen = new Screen(catalogue);
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return screen;
}

}  // namespace

TData1TotOvz* OpenArtistOverview(TMainForm& form, Catalogue& catalogue) {
    return OpenOverview<TData1TotOvz>(form, catalogue);
}

TData2TotOvz* OpenMainTitleOverview(TMainForm& form, Catalogue& catalogue) {
    return OpenOverview<TData2TotOvz>(form, catalogue);
}

TDubbelForm* OpenDoubleEntries(TMainForm& form, Catalogue& catalogue) {
    return OpenOverview<TDubbelForm>(form, catalogue);
}

TInfoDatabaseForm* OpenDatabaseInformation(TMainForm& form, Catalogue& catalogue) {
    return OpenOverview<TInfoDatabaseForm>(form, catalogue);
}

TCheckCatalogueForm* OpenCatalogueCheck(TMainForm& form, Catalogue& catalogue) {
    return OpenOverview<TCheckCatalogueForm>(form, catalogue);
}

void InstallOverviewCommands(TMainForm& form, Catalogue& catalogue,
                             std::function<bool(uint32_t)> deleteSource) {
    const auto artist = [&form, &catalogue] { OpenArtistOverview(form, catalogue); };
    const auto titles = [&form, &catalogue, deleteSource] {
        OpenMainTitleOverview(form, catalogue)->setSourceDeleter(deleteSource);
    };
    form.registerCommand("Artist2", artist);
    form.registerCommand("ArtistButton", artist);
    form.registerCommand("Maintitles1", titles);
    form.registerCommand("MaintitlesButton", titles);
    form.registerCommand("Doubleentries1",
                         [&form, &catalogue] { OpenDoubleEntries(form, catalogue); });
    form.registerCommand("Databaseinformation1",
                         [&form, &catalogue] { OpenDatabaseInformation(form, catalogue); });
    form.registerCommand("Checkcatalogue1",
                         [&form, &catalogue] { OpenCatalogueCheck(form, catalogue); });
}
