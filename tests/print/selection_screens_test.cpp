// The Print menu's selection screens, with a runner that records what each hands on.
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "entry/editors_fixture.h"
#include "print/linker_marge_form.h"
#include "print/print_selection.h"
#include "print/print_settings.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"

namespace {

using Strings = std::vector<std::string>;

class SelectionScreensTest : public EditorsTest {
protected:
    SelectionScreensTest() {
        // Rows of field values in the order of the field names above them.
        const auto addRows = [](TTable& table, const std::vector<const char*>& fields,
                                const std::vector<std::vector<const char*>>& rows) {
            for (const auto& row : rows) {
                std::map<std::string, std::string> values;
                for (size_t i = 0; i < fields.size(); ++i)
                    values[fields[i]] = row[i];
                Add(table, values);
            }
        };
        addRows(catalogue->dm1.ArtTable,
                {"DRAGER", "ARTIEST", "TITEL", "COMPONIST", "TREF", "UITVOER", "SOORT", "JAAR",
                 "MINUTEN", "SECONDEN", "CDNUMMER"},
                {{"CD", "Beatles", "Help", "Lennon", "", "", "", "1965", "03", "45", "1"},
                 {"LP", "beatles", "Yesterday", "McCartney", "", "", "", "1965", "03", "00", "2"},
                 {"CD", "Beat Farmers", "Dark Light", "", "", "", "", "1985", "04", "10", "3"},
                 {"CD", "Abba", "Waterloo", "Andersson", "Love", "Live", "Pop", "1974", "03", "05",
                  "4"}});
        addRows(catalogue->dm2.HfTable,
                {"DRAGER", "HTITEL", "LABEL", "SOORT", "HOOFDART", "CDNUMMER"},
                {{"CD", "Help!", "Parlophone", "Pop", "Beatles", "1"},
                 {"LP", "Yesterday", "", "", "Beatles", "2"},
                 {"CD", "Hot Pursuit", "", "", "Beat Farmers", "3"},
                 {"CD", "Waterloo", "Polar", "Pop", "Abba", "4"}});
        IniWriteString("diversen", "VeldJaar", "1965");
        form = std::make_unique<TMainForm>(catalogue.get());
        InstallPrintSelection(
            *form, *catalogue,
            [this](Catalogue& c, const ReportRequest& r, QWidget*) {
                const bool ofTracks = r.kind != ReportKind::MainTitle;
                TTableAccess& access = ofTracks ? c.dm1.ArtAccess : c.dm2.HfAccess;
                runs.push_back(r.name.toStdString() + " " + std::to_string(r.count) +
                               (r.preview ? " preview" : " print") + " filter '" +
                               r.filter.toStdString() + "' order " +
                               std::to_string(access.IndexOrd()) + " at " +
                               Trim(access.GetString(ofTracks ? "TITEL" : "HTITEL").bytes()));
                return true;
            },
            [this] { ++setups; });
    }

    // Fills the fields named in "name=text,..." (combo boxes take the text, spin boxes the
    // number).
    static void FillIn(QWidget* screen, const QString& fill) {
        for (const QString& field : fill.split(',', Qt::SkipEmptyParts)) {
            const QString name = field.section('=', 0, 0), text = field.section('=', 1);
            if (auto* combo = screen->findChild<QComboBox*>(name))
                combo->setEditText(text);
            else
                Child<QSpinBox>(screen, name.toUtf8().constData())
                    ->setValue(text.isEmpty() ? -1 : text.toInt());
        }
    }
    // Opens the screen of `command`, fills it in, presses `button` and closes it.
    void Open(const char* command, const char* fill, const char* button = "PreviewBtn") {
        testutil::WhenModalShown([fill, button](QWidget* screen) {
            FillIn(screen, fill);
            Press(screen, button);
            Press(screen, "CloseBtn");
        });
        form->command(command)->trigger();
    }
    // The next nested dialog: the sort question or the filter window.
    static void Then(std::function<void(QWidget*)> action) {
        testutil::WhenModalShown(std::move(action));
    }

    std::unique_ptr<TMainForm> form;
    Strings runs;
    int setups = 0;
};

TEST_F(SelectionScreensTest, EveryScreenOfThePrintMenuHandsItsRecordsToTheReport) {
    const struct {
        const char* command;
        const char* fill;
        const char* run;
    } cases[] = {
        {"PrintArtist1", "pStr=beat", "Artist 3 preview filter '' order 1 at Dark Light"},
        {"PrintTitle1", "pStr=YE", "Title 1 preview filter '' order 2 at Yesterday"},
        {"PrintComposer1", "pStr=mc", "Composer 1 preview filter '' order 5 at Yesterday"},
        {"PrintKeyword1", "pStr=lo", "Keyword 1 preview filter '' order 3 at Waterloo"},
        {"PrintPerformance1", "pStr=live", "Performance 1 preview filter '' order 11 at Waterloo"},
        {"PrintStyle2", "pStr=pop", "Style 2 1 preview filter '' order 7 at Waterloo"},
        {"PrintTracktime1", "pMinuten=3", "Track time 3 preview filter '' order 6 at Yesterday"},
        {"PrintTracktime1", "pMinuten=3,pSeconden=45",
         "Track time 1 preview filter '' order 6 at Help"},
        {"PrintYear1", "", "Year 2 preview filter '' order 12 at Help"},
        {"PrintMaintitle1", "pStr=h", "Main title 2 preview filter '' order 1 at Help!"},
        {"PrintLabel1", "pStr=polar", "Label 1 preview filter '' order 6 at Waterloo"},
        {"PrintStyle1", "pStr=Pop", "Style 1 2 preview filter '' order 2 at Help!"},
        {"PrintMainartist1", "pStr=beat", "Main artist 3 preview filter '' order 7 at Hot Pursuit"},
        {"PrintSource1", "", "Source 3 preview filter '' order 5 at Help!"},
        {"PrintNumber1", "aNummer=3,bNummer=3",
         "Main title 1 print filter '' order 4 at Hot Pursuit"},
        {"PrintNumber1", "aNummer=4",
         "Main title 1 print filter '' order 4 at Waterloo"},  // the second follows the first
    };
    catalogue->dm1.ArtAccess.SetOrder(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        runs.clear();
        Open(c.command, c.fill,
             std::string(c.command) == "PrintNumber1" ? "PrintBtn" : "PreviewBtn");
        EXPECT_EQ(runs, Strings{c.run});
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(catalogue->dm1.ArtAccess.IndexOrd(), 0);

    // "&Setup" opens the printer setup, unless adding and modifying is locked.
    for (bool locked : {false, true}) {
        Lock(locked);
        testutil::WhenModalShown([locked](QWidget* screen) {
            EXPECT_EQ(Child<QPushButton>(screen, "SetupBtn")->isEnabled(), !locked);
            Press(screen, "SetupBtn");
            Press(screen, "CloseBtn");
        });
        form->command("PrintYear1")->trigger();
    }
    EXPECT_EQ(setups, 1);
}

TEST_F(SelectionScreensTest, RefusalsNameWhatIsMissingAndPrintNothing) {
    const struct {
        const char* command;
        const char* fill;
        const char* message;
    } cases[] = {
        {"PrintArtist1", "pStr=zz", "ngev.wav: Artist \"zz\" not found."},
        {"PrintYear1", "pJaar=1999", "ngev.wav: Year \"1999\" not found."},
        {"PrintYear1", "pJaar=", "Please fill in a year."},
        {"PrintTracktime1", "", "Please fill in the track time."},
        {"PrintTracktime1", "pMinuten=3,pSeconden=1",
         "ngev.wav: Track time \"03 01\" is not found."},
        {"PrintSource1", "pDrager=mc", "ngev.wav: Source \"mc\" is not found."},
        {"PrintSource1", "pDrager= ", "Please fill in a source."},
        {"PrintNumber1", "aNummer=5,bNummer=3",
         "The first number must be smaller then the second number."},
        {"PrintNumber1", "aNummer=5,bNummer=9",
         "ngev.wav: From number \"CD 5 till number 9\" is no information found."},
        {"PrintNumber1", "pDrager=", "Please fill in a source."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ui.messages.clear();
        ui.sounds.clear();
        Open(c.command, c.fill);
        const std::string sound = ui.sounds.empty() ? "" : ui.sounds[0] + ": ";
        EXPECT_EQ(ui.MessageTexts(), Strings{std::string(c.message).substr(sound.size())});
        EXPECT_EQ(sound + ui.MessageTexts().at(0), c.message);
    }
    EXPECT_TRUE(runs.empty());

    // A year that cd.ini does not hold starts the box empty.
    IniWriteString("diversen", "VeldJaar", "FOUT");
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QSpinBox>(screen, "pJaar")->text(), "");
        Press(screen, "CloseBtn");
    });
    form->command("PrintYear1")->trigger();
}

// Nothing typed: a question, then the sort question, whose "Numerical" lists in source order. A
// filter carrier with no match says so and opens the filter window; its Cancel clears the filter.
TEST_F(SelectionScreensTest, ListsOfEverythingAndTheCarrierFilter) {
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
    testutil::WhenModalShown([](QWidget* screen) {
        Press(screen, "PreviewBtn");  // No: nothing
        Then([](QWidget* sort) {
            EXPECT_EQ(sort->windowTitle(), "Sort");
            Child<QRadioButton>(sort, "RadioButton2")->setChecked(true);
            Press(sort, "OKBtn");
        });
        Press(screen, "PreviewBtn");
        Then([](QWidget* sort) { Press(sort, "OKBtn"); });
        Press(screen, "PrintBtn");

        Then([](QWidget* filter) {
            Child<QComboBox>(filter, "pFilter")->setEditText("mc");
            Press(filter, "OKBtn");
        });
        Press(screen, "FilterBtn");
        FillIn(screen, "pStr=beat");
        Then([](QWidget* filter) {
            EXPECT_EQ(Child<QComboBox>(filter, "pFilter")->currentText(), "MC");
            Press(filter, "CancelBtn");
        });
        Press(screen, "PreviewBtn");
        Press(screen, "PreviewBtn");
        Then([](QWidget* filter) {
            Child<QComboBox>(filter, "pFilter")->setEditText("lp");
            Press(filter, "OKBtn");
        });
        Press(screen, "FilterBtn");
        Press(screen, "PreviewBtn");
        Press(screen, "CloseBtn");
    });
    form->command("PrintArtist1")->trigger();
    EXPECT_EQ(ui.MessageTexts(), (Strings{"Do you want to print all the artist?",
                                          "Do you want to print all the artist?",
                                          "Do you want to print all the artist?",
                                          "Nothing found with the filter setting \"MC\""}));
    EXPECT_EQ(runs, (Strings{"Artist 4 preview filter '' order 8 at Help",
                             "Artist 4 print filter '' order 1 at Waterloo",
                             "Artist 3 preview filter '' order 1 at Dark Light",
                             "Artist 1 preview filter 'LP' order 1 at Yesterday"}));
}

}  // namespace

namespace {

// The left margin of every report: shown from print.ini, written by OK, left by Cancel, and
// refused when it leaves a report no room.
TEST_F(EditorsTest, TheLeftMarginWindowWritesPrintIniWhenTheReportsHaveRoom) {
    const struct {
        int margin;
        const char* button;
        const char* stored;
        const char* told;
    } cases[] = {{25, "OKBtn", "25", nullptr},
                 {0, "OKBtn", "0", nullptr},
                 {40, "CancelBtn", "0", nullptr},
                 {149, "OKBtn", "0", "the columns \"Nr."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.margin);
        ui.messages.clear();
        TLinkerMargeForm window;
        EXPECT_EQ(window.spinEdit()->value(), std::stoi(ReadPrintIni("Marge", "LinkerMarge")));
        EXPECT_EQ(window.spinEdit()->maximum(), kLargestLeftMarginMm);
        window.spinEdit()->setValue(c.margin);
        Child<QPushButton>(&window, c.button)->click();
        EXPECT_EQ(ReadPrintIni("Marge", "LinkerMarge"), c.stored);
        EXPECT_EQ(window.result() == QDialog::Accepted,
                  std::string(c.button) == "OKBtn" && c.told == nullptr);
        if (c.told != nullptr) {
            ASSERT_EQ(ui.MessageTexts().size(), 1u);
            EXPECT_NE(ui.MessageTexts()[0].find(c.told), std::string::npos);
        }
    }
}

}  // namespace
