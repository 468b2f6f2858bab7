#include "print/print_selection.h"

#include <QString>
#include <span>

#include "print/print_data1.h"
#include "print/print_data2.h"
#include "print/print_jaar.h"
#include "print/print_nummer.h"
#include "print/print_tijd.h"
#include "print/prn_geluidsdrager.h"
#include "shell/main_form.h"

namespace {

// One field of a field screen: its command, caption (the report's name), box, pick list and
// index order.
struct FieldCommand {
    const char* command;
    const char* caption;
    BoxWidth width;
    char code;
    int field;
};

constexpr FieldCommand kTitleCommands[] = {
    {"PrintMaintitle1", "Main title", BoxWidth::Wide, 'H', 1},
    {"PrintLabel1", "Label", BoxWidth::Narrow, 'L', 6},
    {"PrintStyle1", "Style 1", BoxWidth::Narrow, 'G', 2},
    {"PrintMainartist1", "Main artist", BoxWidth::Wide, 'A', 7},
};
constexpr FieldCommand kTrackCommands[] = {
    {"PrintArtist1", "Artist", BoxWidth::Wide, ' ', 1},
    {"PrintTitle1", "Title", BoxWidth::Wide, ' ', 2},
    {"PrintComposer1", "Composer", BoxWidth::Wide, ' ', 5},
    {"PrintKeyword1", "Keyword", BoxWidth::Narrow, 'T', 3},
    {"PrintPerformance1", "Performance", BoxWidth::Narrow, 'U', 11},
    {"PrintStyle2", "Style 2", BoxWidth::Narrow, 'G', 7},
};

template <class Screen>
void RegisterScreen(TMainForm& form, const char* command, Catalogue& catalogue,
                    const PrintSelectionHooks& hooks) {
    form.registerCommand(command, [&form, &catalogue, hooks] {
        Screen screen(catalogue, hooks, &form);
        screen.exec();
    });
}

template <class Screen>
void RegisterFields(TMainForm& form, std::span<const FieldCommand> commands, Catalogue& catalogue,
                    const PrintSelectionHooks& hooks) {
    for (const FieldCommand& c : commands) {
        form.registerCommand(c.command, [&form, &catalogue, hooks, c] {
            Screen screen(catalogue, hooks, &form);
            screen.ShowPrint(c.caption, c.width, c.code, c.field);
        });
    }
}

}  // namespace

void InstallPrintSelection(TMainForm& form, Catalogue& catalogue, ReportRunner runner,
                           std::function<void()> printerSetup) {
    const PrintSelectionHooks hooks{std::move(runner), std::move(printerSetup)};
    RegisterScreen<TPrintNummer>(form, "PrintNumber1", catalogue, hooks);
    RegisterScreen<TPrnGeluidsdrager>(form, "PrintSource1", catalogue, hooks);
    RegisterFields<TPrintData2>(form, kTitleCommands, catalogue, hooks);
    RegisterFields<TPrintData1>(form, kTrackCommands, catalogue, hooks);
    RegisterScreen<TPrintTijd>(form, "PrintTracktime1", catalogue, hooks);
    RegisterScreen<TPrintJaar>(form, "PrintYear1", catalogue, hooks);
}
