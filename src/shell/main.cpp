// Program entry: `tunelo [--new-catalogue] [FOLDER]` starts on the catalogue in FOLDER (created
// when missing), or in the current directory. A folder without a catalogue is offered a new,
// empty one made from the installation's template (--new-catalogue makes it without asking).
// One copy of the program at a time works on a catalogue.
//
// `tunelo --report NAME [--text T] [--filter CARRIER] --pdf FILE [FOLDER]` writes a report of
// the catalogue to a PDF file without showing a window (see README.md); `tunelo --export-csv DIR
// [FOLDER]` and `tunelo --import-csv DIR [FOLDER]` write and read the catalogue as CSV files;
// `tunelo --import FILE [--from FORMAT] [--map MAPFILE] [FOLDER]` adds another program's
// collection file; `tunelo --identify DISC [FOLDER]` prints what is known of a disc; `tunelo
// --check-catalogue [FOLDER]` prints what the catalogue holds to mend; `tunelo --help` lists every
// option.
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QScreen>
#include <QTextStream>
#include <QToolTip>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "base/ui.h"
#include "base/work_dir.h"
#include "cd/identify_command.h"
#include "print/report_command.h"
#include "shell/clean_end.h"
#include "shell/command_line.h"
#include "shell/install_paths.h"
#include "shell/main_form.h"
#include "shell/open_scherm.h"
#include "shell/plain_text_labels.h"
#include "shell/product_logo.h"
#include "shell/program_screens.h"
#include "shell/qt_ui.h"
#include "shell/start_catalogue.h"
#include "store/catalogue.h"
#include "store/catalogue_lock.h"
#include "store/check_command.h"
#include "store/command_catalogue.h"
#include "store/csv_command.h"
#include "transfer/foreign_command.h"

namespace {

void SetHintLook() {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 153));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}

// The catalogue folder a command run without a window works on, as an absolute path; cd.ini is
// read from there.
std::string CommandFolder(const CommandLine& options) {
    const std::string folder =
        options.folder.isEmpty() ? std::filesystem::current_path().string()
                                 : std::filesystem::absolute(options.folder.toStdString()).string();
    SetWorkDir(folder);
    return folder;
}

// A report from the command line: no window, no question.
int WriteReport(const CommandLine& options) {
    QTextStream errors(stderr);
    const ReportCommand command{options.reportName, options.reportText, options.reportFilter,
                                options.reportPdf};
    if (command.pdf.isEmpty()) {
        errors << "Usage: tunelo --report NAME [--text T] [--filter CARRIER] --pdf FILE [FOLDER]\n";
        return 2;
    }
    const CommandCatalogue opened =
        OpenCatalogueForCommand(CommandFolder(options), CommandUse::Read, std::cerr);
    return opened.catalogue ? RunReportCommand(*opened.catalogue, command, errors) : 1;
}

// --export-csv and --import-csv.
int TransferCsv(const CommandLine& options) {
    const bool import = !options.importCsv.isEmpty();
    const std::string dir =
        std::filesystem::absolute((import ? options.importCsv : options.exportCsv).toStdString())
            .string();
    return CsvCommand(CommandFolder(options), import ? CsvDirection::Import : CsvDirection::Export,
                      dir, std::cout, std::cerr, TemplateFolder());
}

// --import: the file and the map are named as given, relative to where the program was started.
int ImportForeign(const CommandLine& options) {
    const auto absolute = [](const QString& path) {
        return path.isEmpty() ? std::string()
                              : std::filesystem::absolute(path.toStdString()).string();
    };
    const ForeignImportRequest request{absolute(options.importFile),
                                       options.importFrom.toStdString(),
                                       absolute(options.importMap)};
    return ImportForeignCommand(CommandFolder(options), request, std::cout, std::cerr,
                                TemplateFolder());
}

// --identify: the disc is named as given, relative to where the program was started.
int Identify(const CommandLine& options) {
    const std::string disc = options.identify.toStdString();
    return IdentifyCommand(CommandFolder(options), disc, std::cout, std::cerr);
}

// --check-catalogue: the findings on standard output.
int CheckCatalogue(const CommandLine& options) {
    return CheckCatalogueCommand(CommandFolder(options), std::cout, std::cerr);
}

// Help, version and a fault print their text and end the program with its exit code.
int Answer(const CommandLine& line) {
    const bool fault = line.outcome == CommandLine::Outcome::kError;
    QTextStream(fault ? stderr : stdout) << line.message;
    return fault ? 2 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Help and version are answered before any window system is touched: a terminal without a
    // screen gets them too.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i) {
        rawArguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine raw = ParseCommandLine(rawArguments);
    if (raw.outcome == CommandLine::Outcome::kHelp ||
        raw.outcome == CommandLine::Outcome::kVersion) {
        return Answer(raw);
    }
    // With no screen at all the toolkit would abort; a mistyped option still gets its usage.
    const bool noScreen =
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !rawArguments.contains("-platform");
    if (raw.outcome == CommandLine::Outcome::kError && noScreen)
        return Answer(raw);
    // A report written from a script needs no screen.
    if (raw.windowless() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const PlainTextLabels plainTextLabels(app);
    QApplication::setApplicationName("TUNELO");
    QApplication::setApplicationDisplayName("TUNELO");
    // Lets the desktop tie the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName("org.tunelo.Tunelo");
    QApplication::setWindowIcon(ProductLogoIcon());  // start-up messages come before the frame
    // Read again without the toolkit's own options (-platform, -style, ...), which the
    // application object has taken out.
    const CommandLine options = ParseCommandLine(QApplication::arguments());
    if (options.outcome != CommandLine::Outcome::kRun)
        return Answer(options);
    if (options.report)
        return WriteReport(options);
    if (!options.identify.isEmpty())
        return Identify(options);
    if (options.checkCatalogue)
        return CheckCatalogue(options);
    if (!options.importFile.isEmpty())
        return ImportForeign(options);
    if (options.windowless())
        return TransferCsv(options);

    QtUi ui;
    ScopedUi installed(&ui);
    const StartFolder startFolder(options.folder.toStdString());
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

    // The splash comes once the catalogue is open: a question about a missing catalogue would
    // otherwise lie over it, both in the middle of the screen.
    std::unique_ptr<Catalogue> catalogue = OpenCatalogue(WorkDir(), options.newCatalogue);
    if (!catalogue) {
        return 1;
    }
    TOpenScherm splash;
    splash.ShowCentred();
    TMainForm mainForm(catalogue.get());
    // From here on a logout, a shutdown or Ctrl+C closes the catalogue as the Close command does.
    const CleanEnd cleanEnd([&mainForm] { EndWithoutQuestions(mainForm); });
    const ProgramScreens screens(mainForm, *catalogue, ui);
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
    return result;
}
