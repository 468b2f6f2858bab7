// Program entry: `tunelo [--new-catalogue] [FOLDER]` starts on the catalogue in FOLDER (created
// when missing), or in the current directory. A folder without a catalogue is offered a new,
// empty one made from the installation's template (--new-catalogue makes it without asking).
// One copy of the program at a time works on a catalogue.
//
// `tunelo --report NAME [--text T] [--filter CARRIER] --pdf FILE [FOLDER]` writes a report of
// the catalogue to a PDF file without showing a window (see README.md).
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QScreen>
#include <QTextStream>
#include <QToolTip>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/ui.h"
#include "base/work_dir.h"
#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "entry/cd_speler_entry_cd.h"
#include "entry/entry_commands.h"
#include "loans/loan_commands.h"
#include "overview/overview_commands.h"
#include "overview/show_source.h"
#include "playlist/playlist_commands.h"
#include "print/print_commands.h"
#include "print/print_selection.h"
#include "print/report_command.h"
#include "search/search_commands.h"
#include "search/source_deletion.h"
#include "shell/main_form.h"
#include "shell/open_scherm.h"
#include "shell/product_logo.h"
#include "shell/qt_ui.h"
#include "shell/start_catalogue.h"
#include "store/catalogue.h"
#include "store/catalogue_lock.h"
#include "store/table_error.h"

namespace {

struct Options {
    QString folder;
    bool newCatalogue = false;
    bool quitWhenReady = false;  // for the start-up benchmark
    bool report = false;         // --report: write a report and end
    ReportCommand reportCommand;
};

Options ParseOptions(const QStringList& args) {
    Options options;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--new-catalogue") {
            options.newCatalogue = true;
        } else if (args[i] == "--quit-when-ready") {
            options.quitWhenReady = true;
        } else if (args[i] == "--report" && i + 1 < args.size()) {
            options.report = true;
            options.reportCommand.name = args[++i];
        } else if (args[i] == "--text" && i + 1 < args.size()) {
            options.reportCommand.text = args[++i];
        } else if (args[i] == "--filter" && i + 1 < args.size()) {
            options.reportCommand.filter = args[++i];
        } else if (args[i] == "--pdf" && i + 1 < args.size()) {
            options.reportCommand.pdf = args[++i];
        } else {
            options.folder = args[i];
        }
    }
    return options;
}

void SetHintLook() {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 153));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}

// A report from the command line: no window, no question; the catalogue is only read, so a
// copy of the program working on it does not stand in the way.
int WriteReport(const Options& options) {
    QTextStream errors(stderr);
    if (options.reportCommand.pdf.isEmpty()) {
        errors << "Usage: tunelo --report NAME [--text T] [--filter CARRIER] --pdf FILE [FOLDER]\n";
        return 2;
    }
    const std::string folder =
        options.folder.isEmpty() ? std::filesystem::current_path().string()
                                 : std::filesystem::absolute(options.folder.toStdString()).string();
    SetWorkDir(folder);
    std::unique_ptr<Catalogue> catalogue;
    xbase::Status status = Catalogue::Open(folder, &catalogue);
    if (status.ok()) {
        try {
            catalogue->OpenIndexes();
        } catch (const TableError& error) {
            status = error.status();
        }
    }
    if (!status.ok()) {
        errors << QString::fromStdString(status.ToString()) << "\n";
        return 1;
    }
    return RunReportCommand(*catalogue, options.reportCommand, errors);
}

bool WantsReport(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--report")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A report written from a script needs no screen.
    if (WantsReport(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("TUNELO");
    QApplication::setApplicationDisplayName("TUNELO");
    QApplication::setWindowIcon(ProductLogoIcon());  // start-up messages come before the frame
    const Options options = ParseOptions(QApplication::arguments());
    if (options.report)
        return WriteReport(options);

    QtUi ui;
    ScopedUi installed(&ui);
    if (!options.folder.isEmpty()) {
        std::error_code ignored;  // a folder that cannot be made is reported just below
        std::filesystem::create_directories(options.folder.toStdString(), ignored);
    }
    if (!options.folder.isEmpty() && !QDir::setCurrent(options.folder)) {
        ui.Message(MsgKind::Error,
                   "The folder " + options.folder.toStdString() + " cannot be opened.");
        return 1;
    }
    SetWorkDir(std::filesystem::current_path().string());
    // Before anything is read or written: a second copy of the program changes nothing.
    const std::unique_ptr<CatalogueLock> lock = LockCatalogue(WorkDir());
    if (!lock) {
        return 1;
    }
    SetHintLook();

    TOpenScherm splash;
    splash.ShowCentred();

    std::unique_ptr<Catalogue> catalogue = OpenCatalogue(WorkDir(), options.newCatalogue);
    if (!catalogue) {
        return 1;
    }
    TMainForm mainForm(catalogue.get());
    // Entry and the CD player reach the source screen through this hook: they do not link it.
    const auto showSource = [&mainForm, &catalogue](const std::string& sourceSeekKey) {
        ShowSourceByKey(*catalogue, sourceSeekKey, &mainForm);
    };
    TCdSpeler& cdSpeler = InstallCdPlayer(mainForm, *catalogue);
    cdSpeler.setSourceOpener(showSource);
    CdSpelerEntryCd entryCd(cdSpeler);
    SetEntryCd(&entryCd);
    InstallEntryCommands(mainForm, *catalogue, showSource);
    InstallLoanCommands(mainForm, *catalogue);
    InstallPlaylistCommands(mainForm, *catalogue);
    InstallSearchCommands(mainForm, *catalogue);
    InstallPrintSelection(mainForm, *catalogue,
                          InstallPrintCommands(mainForm, *catalogue, ui.printer()),
                          [&ui] { ui.PrinterSetup(); });
    InstallOverviewCommands(mainForm, *catalogue, [&catalogue](uint32_t titleRecNo) {
        return DeleteSource(*catalogue, titleRecNo);
    });
    mainForm.setSplash(&splash);
    ui.setStatusSink([&mainForm](const QString& text) { mainForm.showStatusText(text); });
    if (options.quitWhenReady) {
        mainForm.setQuitWhenReady(true);
    }
    // Without a window manager (a bare X server) maximizing does nothing; fill the screen anyway.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        mainForm.setGeometry(screen->availableGeometry());
    }
    mainForm.showMaximized();
    const int result = QApplication::exec();
    ui.setStatusSink(nullptr);
    SetEntryCd(nullptr);
    return result;
}
