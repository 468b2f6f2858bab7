#include "shell/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include "shell/product_logo.h"

namespace {

const QCommandLineOption kHelp({"h", "help"}, "Shows this help.");
const QCommandLineOption kVersion({"v", "version"}, "Shows the program's version.");
const QCommandLineOption kNewCatalogue(
    "new-catalogue", "Makes a new, empty catalogue in a folder that has none, without asking.");
const QCommandLineOption kQuitWhenReady("quit-when-ready",
                                        "Ends as soon as the main window is ready (benchmarks).");
const QCommandLineOption kReport("report",
                                 "Writes the report NAME to a PDF file without showing a window.",
                                 "NAME");
const QCommandLineOption kText("text",
                               "The report's selection: a field's beginning, a carrier, "
                               "\"CARRIER FIRST-LAST\", a year or \"M:SS\".",
                               "T");
const QCommandLineOption kFilter("filter",
                                 "Only this carrier (track, year and track-time reports).",
                                 "CARRIER");
const QCommandLineOption kPdf("pdf", "The PDF file the report is written to.", "FILE");
const QCommandLineOption kExportCsv(
    "export-csv",
    "Writes sources.csv, tracks.csv, loans.csv and playlist.csv into DIR without a window.", "DIR");
const QCommandLineOption kImportCsv("import-csv",
                                    "Adds the CSV files of DIR to the catalogue without a window; "
                                    "refuses, adding nothing, when any row is refused.",
                                    "DIR");
const QCommandLineOption kImport(
    "import",
    "Adds another program's collection file (a Discogs collection export, a Tellico or GCstar "
    "file, or any CSV file with --map) to the catalogue without a window, after a safety copy. "
    "Exit status 0: all added, 1: entries refused (each printed; nothing added), 2: the file "
    "cannot be read.",
    "FILE");
const QCommandLineOption kFrom("from",
                               "The format of the --import file (discogs, tellico, gcstar or "
                               "csv) when it is not to be recognised.",
                               "FORMAT");
const QCommandLineOption kMap("map",
                              "The column map of an --import CSV file: an INI file whose "
                              "[Columns] section names each column's field (Album=main title).",
                              "MAPFILE");
const QCommandLineOption kIdentify(
    "identify",
    "Prints what the catalogue, the disc data folder and (when allowed) the online databases "
    "know of the disc in the drive or image DISC (CUE, TOC or NRG), without a window. Exit "
    "status 0: found, 1: nothing found, 2: the disc or the catalogue cannot be read.",
    "DISC");
const QCommandLineOption kCheckCatalogue(
    "check-catalogue",
    "Prints what the catalogue holds that a collector would want to mend, grouped by kind, "
    "without a window. Exit status 0: nothing found, 1: something found, 2: the catalogue "
    "cannot be read.");

// Every option the program knows.
QList<QCommandLineOption> Options() {
    return {kHelp,   kVersion, kNewCatalogue, kQuitWhenReady, kReport,
            kText,   kFilter,  kPdf,          kExportCsv,     kImportCsv,
            kImport, kFrom,    kMap,          kIdentify,      kCheckCatalogue};
}

// Qt puts the path the program was started by into the usage line; the name reads better.
QString Usage(const QCommandLineParser& parser) {
    const QString help = parser.helpText();
    return "Usage: tunelo [options] [FOLDER]" + help.mid(help.indexOf('\n'));
}

CommandLine Fault(const QString& fault, const QCommandLineParser& parser) {
    CommandLine line;
    line.outcome = CommandLine::Outcome::kError;
    line.message = "tunelo: " + fault + "\n\n" + Usage(parser);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "TUNELO keeps the catalogue of a music collection: its sources, their tracks, loans and "
        "the playlist.");
    parser.addOptions(Options());
    parser.addPositionalArgument(
        "FOLDER", "The catalogue's folder (made when missing); the current directory if none.",
        "[FOLDER]");
    if (!parser.parse(arguments)) {
        return Fault(parser.errorText(), parser);
    }
    // An empty value ("" from a script whose variable was not set) would otherwise fall back to
    // the window program or the current directory.
    for (const QCommandLineOption& option : Options()) {
        if (!option.valueName().isEmpty() && parser.isSet(option) &&
            parser.value(option).isEmpty()) {
            return Fault(
                "--" + option.names().constLast() + " needs a value; it was given an empty one.",
                parser);
        }
    }
    CommandLine line;
    if (parser.isSet(kHelp)) {
        line.outcome = CommandLine::Outcome::kHelp;
        line.message = Usage(parser);
        return line;
    }
    if (parser.isSet(kVersion)) {
        line.outcome = CommandLine::Outcome::kVersion;
        line.message = QString("tunelo %1\n").arg(QString(kProductVersion).section(' ', -1));
        return line;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        return Fault("Only one catalogue folder can be given.", parser);
    }
    line.folder = folders.value(0);
    line.newCatalogue = parser.isSet(kNewCatalogue);
    line.quitWhenReady = parser.isSet(kQuitWhenReady);
    line.report = parser.isSet(kReport);
    line.reportName = parser.value(kReport);
    line.reportText = parser.value(kText);
    line.reportFilter = parser.value(kFilter);
    line.reportPdf = parser.value(kPdf);
    line.exportCsv = parser.value(kExportCsv);
    line.importCsv = parser.value(kImportCsv);
    line.identify = parser.value(kIdentify);
    line.importFile = parser.value(kImport);
    line.importFrom = parser.value(kFrom);
    line.importMap = parser.value(kMap);
    line.checkCatalogue = parser.isSet(kCheckCatalogue);
    if (int(line.report) + int(parser.isSet(kExportCsv)) + int(parser.isSet(kImportCsv)) +
            int(parser.isSet(kIdentify)) + int(line.checkCatalogue) + int(parser.isSet(kImport)) >
        1) {
        return Fault(
            "--report, --export-csv, --import-csv, --import, --identify and --check-catalogue go "
            "one at a time.",
            parser);
    }
    if (!parser.isSet(kImport) && (parser.isSet(kFrom) || parser.isSet(kMap))) {
        return Fault("--from and --map go with --import.", parser);
    }
    if (parser.isSet(kFrom) &&
        !QStringList({"discogs", "tellico", "gcstar", "csv"}).contains(line.importFrom)) {
        return Fault("--from takes discogs, tellico, gcstar or csv.", parser);
    }
    if (line.importFrom == "csv" && !parser.isSet(kMap)) {
        return Fault("--from csv needs --map MAPFILE.", parser);
    }
    if (!line.report && (parser.isSet(kText) || parser.isSet(kFilter) || parser.isSet(kPdf))) {
        return Fault("--text, --filter and --pdf go with --report.", parser);
    }
    return line;
}
