// Double entries: which titles count as one, the rows a run lists, the artist list of a title,
// the question before a new run, a stopped run, and editing and deleting from both windows.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "entry/editors_fixture.h"
#include "overview/dubbel_form.h"
#include "overview/dubbele_artiesten_form.h"
#include "overview/track_rows.h"
#include "shell/modal_driver.h"
#include "store/double_titles.h"

namespace {

using Strings = std::vector<std::string>;

class DoubleEntriesTest : public EditorsTest {
protected:
    // One track per title, each by its own artist ("A0", "A1", ...) so that the title order is
    // known. With CD IDs, CD n has the CD ID cdIds[n - 1] and the tracks go round the CDs.
    void AddTitles(const Strings& titles, const Strings& cdIds = {}) {
        for (size_t i = 0; i < cdIds.size(); ++i)
            Add(catalogue->dm2.HfTable,
                {{"DRAGER", "CD"}, {"CDNUMMER", std::to_string(i + 1)}, {"RMNR", cdIds[i]}});
        for (size_t i = 0; i < titles.size(); ++i)
            Add(catalogue->dm1.ArtTable,
                {{"TITEL", titles[i]},
                 {"ARTIEST", "A" + std::to_string(i)},
                 {"TRACK", std::to_string(i + 1)},
                 {"DRAGER", "CD"},
                 {"CDNUMMER", std::to_string(cdIds.empty() ? 1 : i % cdIds.size() + 1)}});
    }
    void ClearTracks() {
        const auto clear = [](TTableAccess& access, TTable& table) {
            access.GoTop();
            while (!access.Eof())
                table.Delete();
        };
        clear(catalogue->dm1.ArtAccess, catalogue->dm1.ArtTable);
        clear(catalogue->dm2.HfAccess, catalogue->dm2.HfTable);
    }
    static Strings Rows(TrackRows& rows) {
        Strings shown;
        for (int row = 0; row < rows.model().rowCount(); ++row)
            shown.push_back(rows.model().index(row, 0).data().toString().toStdString());
        return shown;
    }
};

TEST_F(DoubleEntriesTest, OneRowPerRepeatedTitleAndItsArtists) {
    const struct {
        bool similar;  // "Similar spelling" ticked
        Strings titles;
        Strings rows;         // empty: "No double entries found." and the window closes
        size_t firstArtists;  // tracks in the artist list of the first row
        Strings cdIds = {};   // of CD 1, 2, ...
    } cases[] = {
        // Case and trailing blanks do not count; the row is the second track in title order.
        {false, {"Yesterday", "YESTERDAY", "yesterday   ", "Help"}, {"YESTERDAY"}, 3},
        // Neighbours in title order each get their row; a third track adds no row.
        {false, {"b", "A", "a", "B", "C", "a"}, {"a", "B"}, 3},
        // A leading blank makes another title; tracks without a title are no double entries.
        {false, {" Yesterday", "Yesterday", "", ""}, {}, 0},
        // Punctuation, accents and a leading article count unless the spelling is similar; the
        // row is the track at which the title order met its spelling's second track.
        {false, {"Les Mis\xE9rables", "Help", "Miserables", "HELP!", "help"}, {"help"}, 2},
        {true,
         {"Les Mis\xE9rables", "Help", "Miserables", "HELP!", "help"},
         {"help", "Miserables"},
         3},
        {true, {" Yesterday", "Yesterday", "", "", "--"}, {"Yesterday"}, 2},
        {true, {"Theatre", "Atre", "The"}, {}, 0},
        // With similar spelling, sources with one CD ID are doubles (case and blanks around it do
        // not count): the row is the first track of the second source.
        {true, {"Alpha", "Beta", "Gamma"}, {"Beta"}, 1, {"ab12", " AB12 ", "cd34"}},
        {false, {"Alpha", "Beta", "Gamma"}, {}, 0, {"ab12", "ab12", "cd34"}},
        {true, {"Alpha", "Beta"}, {}, 0, {"", ""}},
        // A source without tracks makes no double; a track listed for its title is not listed
        // again.
        {true, {"Alpha", "Beta"}, {}, 0, {"ab12", "cd34", "ab12"}},
        {true, {"Same", "same", "Other"}, {"same"}, 2, {"X", "X", "Y"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titles[0] + (c.similar ? " (similar spelling)" : ""));
        ClearTracks();
        AddTitles(c.titles, c.cdIds);
        ui.messages.clear();
        TDubbelForm screen(*catalogue);
        screen.show();
        Child<QCheckBox>(&screen, "SimilarSpelling")->setChecked(c.similar);
        Press(&screen, "BitBtn3");
        EXPECT_EQ(Rows(screen.rows()), c.rows);
        if (c.rows.empty()) {
            EXPECT_EQ(ui.MessageTexts(), Strings{"No double entries found."});
            EXPECT_FALSE(screen.isVisible());
            continue;
        }
        EXPECT_EQ(screen.findChild<QLabel*>("cAantal")->text().toStdString(),
                  std::to_string(c.rows.size()));
        // The artist list compares as the run did, whatever the box says now.
        Child<QCheckBox>(&screen, "SimilarSpelling")->setChecked(!c.similar);
        std::string artists;
        testutil::WhenModalShown([&artists](QWidget* window) {
            artists = Child<QLabel>(window, "aArtiest")->text().toStdString();
            Press(window, "CloseBtn");
        });
        Press(&screen, "ArtistBtn");
        EXPECT_EQ(artists, std::to_string(c.firstArtists));
        // A new run asks first; No keeps the rows.
        ui.answers = {MsgAnswer::No};
        Press(&screen, "BitBtn3");
        EXPECT_EQ(ui.MessageTexts(),
                  Strings{"Double entries already exist! Do you want to start again?"});
        EXPECT_EQ(Rows(screen.rows()), c.rows);
    }
}

// Edit and Delete work on the selected track of either window: the row shows what the editor
// stored, or it goes and the count follows.
TEST_F(DoubleEntriesTest, EditAndDeleteTheSelectedTrackOfEitherWindow) {
    const struct {
        bool artists;  // the artist list of a title, else the list of titles
        const char* button;
        Strings rows;
        std::string count;
    } cases[] = {
        {false, "EditBtn", {"New"}, "1"},
        {false, "DeleteBtn", {}, "0"},
        {true, "EditBtn", {"New", "A1"}, "2"},
        {true, "DeleteBtn", {"A1"}, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.artists ? " of the artists" : " of the titles"));
        ClearTracks();
        AddTitles({"Yesterday", "yesterday", "Help"});
        TDubbelForm titles(*catalogue);
        titles.show();
        Press(&titles, "BitBtn3");
        TDubbeleArtiestenForm artists(*catalogue);
        ASSERT_TRUE(artists.Fill("Yesterday"));
        QWidget* screen = c.artists ? static_cast<QWidget*>(&artists) : &titles;
        if (c.button == std::string("DeleteBtn")) {
            ui.answers = {MsgAnswer::Yes};
        } else {
            testutil::WhenModalShown([&c](QWidget* editor) {
                Child<QLineEdit>(editor, c.artists ? "DBEdit1" : "DBEdit2")->setText("New");
                Press(editor, "BitBtn1");
            });
        }
        Press(screen, c.button);
        EXPECT_EQ(Rows(c.artists ? artists.rows() : titles.rows()), c.rows);
        EXPECT_EQ(Child<QLabel>(screen, c.artists ? "aArtiest" : "cAantal")->text().toStdString(),
                  c.count);
    }
}

TEST_F(DoubleEntriesTest, AStoppedRunListsNothing) {
    AddTitles({"Same", "Same"});
    const DoubleTitleScan scan =
        FindDoubleTitles(catalogue->dm1.ArtTable, [](uint64_t, uint64_t) { return false; });
    EXPECT_TRUE(scan.cancelled);
    EXPECT_TRUE(scan.recnos.empty());
    EXPECT_EQ(FindDoubleTitles(catalogue->dm1.ArtTable).recnos.size(), 1u);
}

}  // namespace
