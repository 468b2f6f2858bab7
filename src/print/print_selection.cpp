#include "print/print_selection.h"

#include <QString>

#include "print/named_reports.h"
#include "print/print_data1.h"
#include "print/print_data2.h"
#include "print/print_field_form.h"
#include "print/print_jaar.h"
#include "print/print_nummer.h"
#include "print/print_tijd.h"
#include "print/prn_geluidsdrager.h"
#include "shell/main_form.h"

namespace {

template <class Screen>
void RegisterScreen(TMainForm& form, const char* command, Catalogue& catalogue,
                    const PrintSelectionHooks& hooks) {
    form.registerCommand(command, [&form, &catalogue, hooks] {
        Screen screen(catalogue, hooks, &form);
        screen.exec();
    });
}

template <class Screen>
void RegisterFields(TMainForm& form, ReportKind kind, Catalogue& catalogue,
                    const PrintSelectionHooks& hooks) {
    for (const NamedReport& r : NamedReports()) {
        if (r.command == nullptr || r.kind != kind)
            continue;
        form.registerCommand(r.command, [&form, &catalogue, hooks, &r] {
            Screen screen(catalogue, hooks, &form);
            screen.ShowPrint(r.name, r.width, r.code, r.order);
        });
    }
}

}  // namespace

void InstallPrintSelection(TMainForm& form, Catalogue& catalogue, ReportRunner runner,
                           std::function<void()> printerSetup) {
    const PrintSelectionHooks hooks{std::move(runner), std::move(printerSetup)};
    RegisterScreen<TPrintNummer>(form, "PrintNumber1", catalogue, hooks);
    RegisterScreen<TPrnGeluidsdrager>(form, "PrintSource1", catalogue, hooks);
    RegisterFields<TPrintData2>(form, ReportKind::MainTitle, catalogue, hooks);
    RegisterFields<TPrintData1>(form, ReportKind::Track, catalogue, hooks);
    RegisterScreen<TPrintTijd>(form, "PrintTracktime1", catalogue, hooks);
    RegisterScreen<TPrintJaar>(form, "PrintYear1", catalogue, hooks);
}
