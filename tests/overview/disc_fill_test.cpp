// "Read CD info" on the source screen fills what a disc look-up found into the blank fields only,
// after a preview of every change; a write that fails leaves every record as it was.
#include <QLabel>
#include <QTableWidget>

#include "entry/editors_fixture.h"
#include "overview/disc_fill_form.h"
#include "shell/modal_driver.h"
#include "store/record_edit.h"
#include "store/source_key.h"

namespace {

using Strings = std::vector<std::string>;

class DiscFillTest : public EditorsTest {
protected:
    DiscFillTest() {
        AddSource("CD", 1, "Found");
        // Track 1 has a title and a time, track 2 an artist, track 3 nothing.
        recnos = {AddTrackRecord("1", "Kept", "", "03", "10"), AddTrackRecord("2", "", "Mine"),
                  AddTrackRecord("3", "", "")};
        candidate.origin = discinfo::Origin::DiscData;
        candidate.reference = "rock/2a03a403";
        candidate.title = "Found";
        candidate.artist = "Band";
        candidate.tracks = {{"One", "", 200},
                            {"Two", "", 185},
                            {std::string(width() + 5, 'x'), "\xe6\x97\xa5\xe6\x9c\xac", 61}};
    }
    uint32_t AddTrackRecord(const char* track, const char* title, const char* artist,
                            const char* minutes = "", const char* seconds = "") {
        return Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"},
                                             {"CDNUMMER", "1"},
                                             {"TRACK", track},
                                             {"TITEL", title},
                                             {"ARTIEST", artist},
                                             {"MINUTEN", minutes},
                                             {"SECONDEN", seconds}});
    }
    size_t width() const { return catalogue->dm1.ArtTable.Field("TITEL").length; }
    // Title, artist and time of each track.
    Strings Tracks() {
        Strings fields;
        for (const uint32_t recno : recnos)
            for (const char* field : {"TITEL", "ARTIEST", "MINUTEN", "SECONDEN"})
                fields.push_back(Field(catalogue->dm1.ArtAccess, recno, field));
        return fields;
    }
    static Strings Rows(QWidget* preview) {
        Strings rows;
        auto* table = Child<QTableWidget>(preview, "Changes");
        for (int row = 0; row < table->rowCount(); ++row) {
            std::string text;
            for (int column = 0; column < table->columnCount(); ++column)
                text += (column ? "|" : "") + table->item(row, column)->text().toStdString();
            rows.push_back(text);
        }
        return rows;
    }

    const std::string key = SourceSeekKey("CD", 1);
    std::vector<uint32_t> recnos;
    discinfo::DiscCandidate candidate;
};

TEST_F(DiscFillTest, FillsOnlyTheBlankFieldsOnceThePreviewIsAnsweredYes) {
    const Strings before = Tracks();
    const std::string cut = std::string(width(), 'x');
    const Strings preview = {
        "1|Artist||Band|",
        "2|Title||Two|",
        "2|Time||03:05|",
        "3|Title||" + cut + "…|cut to fit the field",
        "3|Artist||\xe6\x97\xa5\xe6\x9c\xac|left out: holds a character the catalogue cannot "
        "hold; type it yourself",
        "3|Time||01:01|",
    };
    struct Case {
        const char* button;
        int written;
        Strings after;
    };
    const Case cases[] = {
        {"NoBtn", 0, before},
        {"YesBtn", 5, {"Kept", "Band", "03", "10", "Two", "Mine", "03", "05", cut, "", "01", "01"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        testutil::WhenModalShown([&](QWidget* shown) {
            EXPECT_EQ(shown->objectName(), "DiscFillForm");
            EXPECT_EQ(Rows(shown), preview);
            EXPECT_NE(
                Child<QLabel>(shown, "FoundLabel")->text().indexOf("disc data (rock/2a03a403)"),
                -1);
            Press(shown, c.button);
        });
        EXPECT_EQ(OfferDiscFill(*catalogue, key, candidate, nullptr), c.written);
        EXPECT_EQ(Tracks(), c.after);
    }
    // Filled now, save the artist the catalogue cannot hold: only that is offered, and left out.
    testutil::WhenModalShown([](QWidget* shown) {
        EXPECT_EQ(Rows(shown).size(), 1u);
        Press(shown, "YesBtn");
    });
    EXPECT_EQ(OfferDiscFill(*catalogue, key, candidate, nullptr), 0);
    EXPECT_TRUE(ui.messages.empty());
}

// What was typed between the preview and the Yes stays; a record that cannot be written puts
// back the records written before it and is named.
TEST_F(DiscFillTest, AWriteIsAllOrNothingAndNeverOverwrites) {
    std::vector<FillChange> changes = PlanDiscFill(catalogue->dm1.ArtAccess, key, candidate);
    ASSERT_EQ(changes.size(), 6u);
    ChangeRecord(catalogue->dm1.ArtAccess, recnos[1],
                 [](TTable& art) { art.SetFieldAsString("TITEL", "Typed"); });
    const Strings typed = Tracks();

    std::vector<FillChange> failing = changes;
    failing[3].bytes = std::string(width() + 1, 'y');  // wider than the field: the table refuses
    const std::string failure = ApplyDiscFill(catalogue->dm1.ArtAccess, failing);
    EXPECT_NE(failure.find("record " + std::to_string(recnos[2])), std::string::npos) << failure;
    EXPECT_EQ(Tracks(), typed);

    EXPECT_EQ(ApplyDiscFill(catalogue->dm1.ArtAccess, changes), "");
    const Strings after = Tracks();
    EXPECT_EQ(after[4], "Typed");
    EXPECT_EQ(after[1], "Band");
}

}  // namespace
