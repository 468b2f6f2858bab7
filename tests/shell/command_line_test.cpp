// The command line: options, help and version, and a mistake reported with the usage.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "base/ini.h"
#include "base/work_dir.h"
#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_ids.h"
#include "store/catalogue_folder.h"
#include "support/disc_image.h"
#include "support/local_http_server.h"
#include "support/twelve_tones.h"
#include "test_util.h"

namespace {

using Outcome = CommandLine::Outcome;

TEST(CommandLineTest, ReadsOptionsAndRefusesMistakesWithTheUsage) {
    struct Case {
        QStringList arguments;
        Outcome outcome;
        const char* inMessage;  // part of the text printed, or "" when nothing is printed
        const char* folder;
    };
    const Case cases[] = {
        {{}, Outcome::kRun, "", ""},
        {{"--new-catalogue", "~/Music"}, Outcome::kRun, "", "~/Music"},
        {{"--help"}, Outcome::kHelp, "--new-catalogue", ""},
        {{"-v"}, Outcome::kVersion, "tunelo 1.", ""},
        {{"--bogus"}, Outcome::kError, "Unknown option 'bogus'", ""},
        {{"--report"}, Outcome::kError, "Missing value after '--report'", ""},
        {{"one", "two"}, Outcome::kError, "Only one catalogue folder", ""},
        {{"--pdf", "a.pdf"}, Outcome::kError, "go with --report", ""},
        {{"--import-csv", ""}, Outcome::kError, "--import-csv needs a value", ""},
        {{"--export-csv=", "cat"}, Outcome::kError, "--export-csv needs a value", ""},
        {{"--report", "Artist", "--pdf", ""}, Outcome::kError, "--pdf needs a value", ""},
        {{"--help"}, Outcome::kHelp, "--identify <DISC>", ""},
        {{"--identify", "d.cue", "cat"}, Outcome::kRun, "", "cat"},
        {{"--identify", "d.cue", "--export-csv", "x"}, Outcome::kError, "one at a time", ""},
        {{"--identify="}, Outcome::kError, "--identify needs a value", ""},
        {{"--check-catalogue", "cat"}, Outcome::kRun, "", "cat"},
        {{"--check-catalogue", "--identify", "d.cue"}, Outcome::kError, "one at a time", ""},
        {{"--import", "c.csv", "--from", "csv", "--map", "m.ini", "cat"}, Outcome::kRun, "", "cat"},
        {{"--import", "c.csv", "--import-csv", "d"}, Outcome::kError, "one at a time", ""},
        {{"--from", "discogs"}, Outcome::kError, "go with --import", ""},
        {{"--import", "c.tc", "--from", "excel"}, Outcome::kError, "--from takes discogs", ""},
        {{"--import", "c.csv", "--from", "csv"}, Outcome::kError, "--from csv needs --map", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ParseCommandLine(QStringList{"tunelo"} + c.arguments);
        EXPECT_EQ(line.outcome, c.outcome);
        EXPECT_TRUE(line.message.contains(c.inMessage));
        EXPECT_EQ(line.folder, c.folder);
        if (c.outcome == Outcome::kError || c.outcome == Outcome::kHelp) {
            EXPECT_TRUE(line.message.contains("Usage: tunelo [options] [FOLDER]"));
        }
    }

    const CommandLine report = ParseCommandLine(
        {"tunelo", "--report", "Artist", "--text", "beat", "--filter", "CD", "--pdf", "b.pdf"});
    EXPECT_TRUE(report.report && report.windowless());
    EXPECT_EQ(
        QStringList({report.reportName, report.reportText, report.reportFilter, report.reportPdf}),
        QStringList({"Artist", "beat", "CD", "b.pdf"}));
    EXPECT_TRUE(ParseCommandLine({"tunelo", "--quit-when-ready"}).quitWhenReady);
    const CommandLine identify = ParseCommandLine({"tunelo", "--identify", "/dev/cdrom"});
    EXPECT_TRUE(identify.windowless());
    EXPECT_EQ(identify.identify, "/dev/cdrom");
    EXPECT_TRUE(ParseCommandLine({"tunelo", "--check-catalogue"}).windowless());
    const CommandLine import =
        ParseCommandLine({"tunelo", "--import", "c.csv", "--from", "csv", "--map", "m.ini"});
    EXPECT_TRUE(import.windowless());
    EXPECT_EQ(QStringList({import.importFile, import.importFrom, import.importMap}),
              QStringList({"c.csv", "csv", "m.ini"}));

    // The program itself, where no screen exists: a mistake gets the usage and status 2.
    QProcess program;
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        bare.remove(name);
    program.setProcessEnvironment(bare);
    program.start(TUNELO_PROGRAM, {"--bogus"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("Usage: tunelo [options] [FOLDER]"));
    // --identify needs no screen either; a disc that is not there is bad input.
    program.start(TUNELO_PROGRAM, {"--identify", "no-such-disc.cue"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("no-such-disc.cue"));
}

// The program identifies a disc image with the settings of the catalogue folder named: it asks
// the online database there only when that folder's cd.ini allows it.
TEST(CommandLineTest, IdentifyFollowsTheFoldersSettings) {
    testutil::TempDir dir;
    const std::string folder = dir.File("catalogue");
    ASSERT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder).ok());
    const std::string image =
        testutil::WriteCueBinImage(dir.path().string(), testutil::TwelveTonesFrames());
    std::unique_ptr<cdaudio::CdioDisc> disc;
    cdaudio::DiscToc toc;
    ASSERT_TRUE(cdaudio::CdioDisc::Open(image, &disc).ok() && disc->ReadToc(&toc).ok());
    const cdaudio::DiscIds ids = cdaudio::ComputeDiscIds(toc);
    LocalHttpServer server;
    testutil::ServeTwelveTones(server, testutil::TwelveTonesService::MusicBrainz, ids.musicbrainz,
                               ids.freedb);
    SetWorkDir(folder);
    IniWriteString("CdInfo", "MusicBrainz", server.url().toString().toStdString());
    IniWriteString("CdInfo", "Gnudb", server.url().toString().toStdString());
    for (const bool online : {false, true}) {
        IniWriteString("CdInfo", "Online", online ? "1" : "0");
        QProcess program;
        program.start(TUNELO_PROGRAM, {"--identify", QString::fromStdString(image),
                                       QString::fromStdString(folder)});
        // The local server answers from this event loop while the program waits for it.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
        EXPECT_EQ(program.exitCode(), online ? 0 : 1) << program.readAllStandardError().data();
        EXPECT_EQ(
            program.readAllStandardOutput().startsWith(
                QByteArray("Found in: MusicBrainz (") + testutil::kTwelveTonesRelease +
                ")\nTitle: Twelve Tones\nArtist: The Testers\nYear: 1999\n 1  0:02  Tone 1\n"),
            online);
        EXPECT_EQ(server.requests().size(), online ? 1u : 0u);
    }
}

}  // namespace
