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
        const Strings tracks[] = {
            {"1", "Kept", "", "03", "10"}, {"2", "", "Mine", "", ""}, {"3", "", "", "", ""}};
        for (const Strings& t : tracks) {
            std::map<std::string, std::string> record = {{"DRAGER", "CD"}, {"CDNUMMER", "1"}};
            for (size_t i = 0; i < t.size(); ++i)
                record[std::vector{"TRACK", "TITEL", "ARTIEST", "MINUTEN", "SECONDEN"}[i]] = t[i];
            recnos.push_back(Add(catalogue->dm1.ArtTable, record));
        }
        candidate.reference = "rock/2a03a403";
        candidate.artist = "Band";
        candidate.tracks = {{"One", "", 200}, {"Two", "", 185}, {tooLong, "\xe6\x97\xa5", 61}};
    }
    // Title, artist, minutes and seconds of each track.
    Strings Tracks() {
        Strings fields;
        for (const uint32_t recno : recnos)
            for (const char* field : {"TITEL", "ARTIEST", "MINUTEN", "SECONDEN"})
                fields.push_back(Field(catalogue->dm1.ArtAccess, recno, field));
        return fields;
    }

    const size_t width = catalogue->dm1.ArtTable.Field("TITEL").length;
    const std::string tooLong = std::string(width + 5, 'x');
    const std::string key = SourceSeekKey("CD", 1);
    std::vector<uint32_t> recnos;
    discinfo::DiscCandidate candidate;
};

TEST_F(DiscFillTest, FillsOnlyTheBlankFieldsOnceThePreviewIsAnsweredYes) {
    const Strings before = Tracks();
    const std::string cut = tooLong.substr(0, width);
    const Strings preview = {
        "1|Artist||Band|",
        "2|Title||Two|",
        "2|Time||03:05|",
        "3|Title||" + cut + "…|cut to fit the field",
        "3|Artist||\xe6\x97\xa5|left out: holds a character the catalogue cannot hold; type it "
        "yourself",
        "3|Time||01:01|"};
    const struct {
        const char* button;
        int written;
        Strings after;
    } cases[] = {
        {"NoBtn", 0, before},
        {"YesBtn", 5, {"Kept", "Band", "03", "10", "Two", "Mine", "03", "05", cut, "", "01", "01"}},
    };
    for (const auto& c : cases) {
        testutil::WhenModalShown([&](QWidget* shown) {
            auto* table = Child<QTableWidget>(shown, "Changes");
            Strings rows(size_t(table->rowCount()));
            for (int row = 0; row < table->rowCount(); ++row)
                for (int column = 0; column < table->columnCount(); ++column)
                    rows[size_t(row)] +=
                        (column ? "|" : "") + table->item(row, column)->text().toStdString();
            EXPECT_EQ(rows, preview);
            EXPECT_TRUE(Child<QLabel>(shown, "FoundLabel")->text().contains("(rock/2a03a403)"));
            Press(shown, c.button);
        });
        EXPECT_EQ(OfferDiscFill(*catalogue, key, candidate, nullptr), c.written) << c.button;
        EXPECT_EQ(Tracks(), c.after);
    }
    EXPECT_TRUE(ui.messages.empty());
}

// What was typed between the preview and the Yes stays; a record that cannot be written puts
// back the records written before it and is named.
TEST_F(DiscFillTest, AWriteIsAllOrNothingAndNeverOverwrites) {
    const std::vector<FillChange> changes = PlanDiscFill(catalogue->dm1.ArtAccess, key, candidate);
    ASSERT_EQ(changes.size(), 6u);
    ChangeRecord(catalogue->dm1.ArtAccess, recnos[1],
                 [](TTable& art) { art.SetFieldAsString("TITEL", "Typed"); });
    const Strings typed = Tracks();
    std::vector<FillChange> failing = changes;
    failing[3].bytes = tooLong;  // wider than the field: the table refuses it
    const std::string failure = ApplyDiscFill(catalogue->dm1.ArtAccess, failing);
    EXPECT_NE(failure.find("record " + std::to_string(recnos[2])), std::string::npos) << failure;
    EXPECT_EQ(Tracks(), typed);

    EXPECT_EQ(ApplyDiscFill(catalogue->dm1.ArtAccess, changes), "");
    EXPECT_EQ(Strings({Tracks()[1], Tracks()[4]}), Strings({"Band", "Typed"}));
}

}  // namespace
