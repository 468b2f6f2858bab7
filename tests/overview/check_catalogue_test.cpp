// Check the catalogue: the findings listed by kind with their counts, kinds switched off, Enter
// on a finding opening its source, and the findings written as CSV.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "entry/editors_fixture.h"
#include "overview/check_catalogue_form.h"
#include "shell/modal_driver.h"

namespace {

using Strings = std::vector<std::string>;

class CheckCatalogueTest : public EditorsTest {
protected:
    // CD 1 with a sound track, one without an artist and one of 2:75.
    void AddFaults() {
        Add(catalogue->dm2.HfTable,
            {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"HTITEL", "Album"}, {"HOOFDART", "Band"}});
        const std::map<std::string, std::string> tracks[] = {
            {{"TRACK", "1"}, {"TITEL", "Good"}, {"ARTIEST", "Band"}, {"SECONDEN", "30"}},
            {{"TRACK", "2"}, {"TITEL", "Nameless"}, {"ARTIEST", ""}, {"SECONDEN", "30"}},
            {{"TRACK", "3"}, {"TITEL", "Long"}, {"ARTIEST", "Band"}, {"SECONDEN", "75"}},
        };
        for (auto track : tracks) {
            track["DRAGER"] = "CD";
            track["CDNUMMER"] = "1";
            track["MINUTEN"] = "2";
            Add(catalogue->dm1.ArtTable, track);
        }
    }
    // The headings of the groups listed.
    static Strings Groups(TCheckCatalogueForm& screen) {
        Strings shown;
        QTreeWidget* tree = screen.findings();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            shown.push_back(tree->topLevelItem(i)->text(0).toStdString());
        return shown;
    }
    static void SwitchOff(TCheckCatalogueForm& screen, CheckKind kind) {
        const int at = int(std::find(std::begin(kAllCheckKinds), std::end(kAllCheckKinds), kind) -
                           std::begin(kAllCheckKinds));
        Child<QCheckBox>(&screen, ("CheckBox" + std::to_string(at + 1)).c_str())->setChecked(false);
    }
};

TEST_F(CheckCatalogueTest, ListsTheFindingsByKindWithTheirCount) {
    const struct {
        std::vector<CheckKind> off;
        Strings groups;
    } cases[] = {
        {{},
         {"Tracks with a blank title or artist: 1", "Tracks with no time or seconds above 59: 1"}},
        {{CheckKind::TrackTime}, {"Tracks with a blank title or artist: 1"}},
        {{CheckKind::BlankTitleOrArtist, CheckKind::TrackTime}, {}},
    };
    AddFaults();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.off.size());
        ui.messages.clear();
        TCheckCatalogueForm screen(*catalogue);
        screen.show();
        for (CheckKind kind : c.off)
            SwitchOff(screen, kind);
        Press(&screen, "CheckBtn");
        EXPECT_EQ(Groups(screen), c.groups);
        EXPECT_EQ(ui.MessageTexts(),
                  c.groups.empty() ? Strings{"Nothing to mend was found."} : Strings{});
        EXPECT_EQ(Child<QPushButton>(&screen, "ExportBtn")->isEnabled(), !c.groups.empty());
    }
    TCheckCatalogueForm screen(*catalogue);
    screen.show();
    Press(&screen, "CheckBtn");
    QTreeWidgetItem* blank = screen.findings()->topLevelItem(0)->child(0);
    EXPECT_EQ(blank->text(0).toStdString(), "CD 1");
    EXPECT_EQ(blank->text(1).toStdString(), "no artist");
    EXPECT_EQ(blank->text(2).toStdString(), "artdat.dat 2");
}

TEST_F(CheckCatalogueTest, EnterOpensTheSourceOnTheFindingsTrack) {
    AddFaults();
    TCheckCatalogueForm screen(*catalogue);
    screen.show();
    Press(&screen, "CheckBtn");
    QTreeWidget* tree = screen.findings();
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    std::string selected;
    testutil::WhenModalShown([&](QWidget* source) {
        selected = Child<QWidget>(source, "ArtTITEL")->property("text").toString().toStdString();
        source->close();
    });
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(selected, "Long");
}

TEST_F(CheckCatalogueTest, ExportWritesOneCsvLinePerFinding) {
    AddFaults();
    TCheckCatalogueForm screen(*catalogue);
    screen.show();
    Press(&screen, "CheckBtn");
    const std::string path = folder() + "/found.csv";
    ui.files.push_back(std::nullopt);  // cancelled: nothing written
    Press(&screen, "ExportBtn");
    EXPECT_FALSE(std::ifstream(path).good());
    ui.files.push_back(path);
    Press(&screen, "ExportBtn");
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(),
              "Kind,Source,What is wrong,Table,Record\r\n"
              "Tracks with a blank title or artist,CD 1,no artist,artdat.dat,2\r\n"
              "Tracks with no time or seconds above 59,CD 1,seconds above 59 (2:75),artdat.dat,3"
              "\r\n");
    EXPECT_EQ(ui.fileDialogs, (Strings{"CSV files|*.csv", "CSV files|*.csv"}));
}

}  // namespace
