// What the command line asks of the program. Every option is declared in one place
// (command_line.cpp) so that a new one is one declaration and one field here.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Outcome {
        kRun,      // start as asked below
        kHelp,     // print `message` on standard output and end with 0
        kVersion,  // the same
        kError,    // print `message` (the fault, then the usage) on standard error, end with 2
    };
    Outcome outcome = Outcome::kRun;
    QString message;

    QString folder;  // the catalogue folder; empty for the current directory
    bool newCatalogue = false;
    bool quitWhenReady = false;  // for the start-up benchmark

    // --report NAME [--text T] [--filter CARRIER] --pdf FILE: a report without a window.
    bool report = false;
    QString reportName;
    QString reportText;
    QString reportFilter;
    QString reportPdf;

    // --export-csv DIR / --import-csv DIR: the catalogue as CSV files, without a window.
    QString exportCsv;
    QString importCsv;

    // --import FILE [--from FORMAT] [--map MAPFILE]: another program's collection file added
    // without a window.
    QString importFile;
    QString importFrom;
    QString importMap;

    // --identify DISC: what is known of the disc in a drive or an image, without a window.
    QString identify;

    // --check-catalogue: the catalogue's check printed as text, without a window.
    bool checkCatalogue = false;

    // True when the request shows no window, so that it needs no screen.
    bool windowless() const {
        return report || !exportCsv.isEmpty() || !importCsv.isEmpty() || !identify.isEmpty() ||
               checkCatalogue || !importFile.isEmpty();
    }
};

// Reads `arguments` (the program's name first, as argv has it). Needs no application object.
CommandLine ParseCommandLine(const QStringList& arguments);
