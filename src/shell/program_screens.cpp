#include "shell/program_screens.h"

#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "entry/cd_speler_entry_cd.h"
#include "entry/disc_lookup_entry.h"
#include "entry/entry_cd.h"
#include "entry/entry_commands.h"
#include "loans/loan_commands.h"
#include "maintenance/maintenance_commands.h"
#include "overview/overview_commands.h"
#include "overview/show_source.h"
#include "playlist/playlist_commands.h"
#include "print/print_commands.h"
#include "print/print_selection.h"
#include "search/search_commands.h"
#include "search/source_deletion.h"
#include "shell/main_form.h"
#include "shell/qt_ui.h"
#include "transfer/transfer_commands.h"

ProgramScreens::ProgramScreens(TMainForm& form, Catalogue& catalogue, QtUi& ui) {
    // Entry and the CD player reach the source screen through this hook: they do not link it.
    const auto showSource = [&form, &catalogue](const std::string& sourceSeekKey) {
        ShowSourceByKey(catalogue, sourceSeekKey, &form);
    };
    TCdSpeler& cdSpeler = InstallCdPlayer(form, catalogue);
    cdSpeler.setSourceOpener(showSource);
    entryCd_ = std::make_unique<CdSpelerEntryCd>(cdSpeler);
    SetEntryCd(entryCd_.get());
    SetEntryDiscLookupMaker([](Catalogue& screenCatalogue) {
        return std::make_unique<DiscLookupEntry>(screenCatalogue);
    });
    InstallEntryCommands(form, catalogue, showSource);
    InstallLoanCommands(form, catalogue);
    InstallPlaylistCommands(form, catalogue);
    InstallSearchCommands(form, catalogue);
    InstallMaintenanceCommands(form, catalogue);
    InstallPrintSelection(form, catalogue, InstallPrintCommands(form, catalogue, ui.printer()),
                          [&ui] { ui.PrinterSetup(); });
    InstallOverviewCommands(form, catalogue, [&catalogue](uint32_t titleRecNo) {
        return DeleteSource(catalogue, titleRecNo);
    });
    InstallTransferCommands(form, catalogue);
}

ProgramScreens::~ProgramScreens() {
    SetEntryCd(nullptr);
    SetEntryDiscLookupMaker({});
}
