// Database information: the figures of a small catalogue with known counts, the carrier counts,
// the figures kept for the next opening, and a stopped count that changes nothing.
#include "entry/editors_fixture.h"
#include "overview/info_database_form.h"
#include "shell/table_grid_model.h"
#include "store/database_statistics.h"

namespace {

class DatabaseInformationTest : public EditorsTest {
protected:
    void AddCatalogue() {
        Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"},
                                     {"CDNUMMER", "1"},
                                     {"HTITEL", "Abbey"},
                                     {"OPNAME", "AAD"},
                                     {"SOORT", "Rock"},
                                     {"LABEL", "EMI"},
                                     {"HOOFDART", "Beatles"},
                                     {"AANKOOP", "Shop"},
                                     {"AANKPPRS", "12.50"},
                                     {"MEMO", "notes"}});
        Add(catalogue->dm2.HfTable,
            {{"DRAGER", "CD"}, {"CDNUMMER", "2"}, {"HTITEL", "Bach"}, {"AANKPPRS", "7.25"}});
        Add(catalogue->dm2.HfTable, {{"DRAGER", "LP"}, {"CDNUMMER", "1"}, {"MEMO", "  "}});
        Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}});
        const std::map<std::string, std::string> tracks[] = {
            {{"ARTIEST", "Lennon"},
             {"TITEL", "Help"},
             {"MINUTEN", "03"},
             {"SECONDEN", "40"},
             {"JAAR", "1969"},
             {"TREF", "pop"}},
            {{"ARTIEST", "Bach"},
             {"COMPONIST", "Bach"},
             {"SECONDEN", "45"},
             {"JAAR", "69"},
             {"SOORT", "Classic"},
             {"UITVOER", "Live"}},
            {{"TITEL", "Untimed"}, {"MINUTEN", "00"}, {"SECONDEN", "00"}}};
        for (const auto& track : tracks)
            Add(catalogue->dm1.ArtTable, track);
        for (const char* carrier : {"CD", "LP", "MC"})
            AddItem(carrier, 'D');
        catalogue->dm3.ItemsTable.Edit();
        catalogue->dm3.ItemsTable.SetFieldAsString("AANTAL", "9");  // MC: stale
        catalogue->dm3.ItemsTable.Post();
    }
    std::vector<std::string> CarrierCounts(TInfoDatabaseForm& screen) {
        std::vector<std::string> counts;
        for (int row = 0; row < screen.carriers().rowCount(); ++row)
            counts.push_back(screen.carriers().index(row, 0).data().toString().toStdString() + "=" +
                             screen.carriers().index(row, 1).data().toString().toStdString());
        return counts;
    }
};

TEST_F(DatabaseInformationTest, CountsKeepsAndShowsTheFiguresAgain) {
    AddCatalogue();
    const std::map<std::string, std::string> expected = {
        {"Totdragers", "3"},       {"Kwaliteiten", "1"}, {"Hoofdtitels", "2"},
        {"Genres1", "1"},          {"Labels", "1"},      {"Hoofdartiesten", "1"},
        {"Tekstbladen", "1"},      {"Uitgeleend", "1"},  {"Aankopen", "1"},
        {"Totaalbedrag", "19.75"}, {"TotTracks", "3"},   {"Artiesten", "2"},
        {"Titels", "2"},           {"Componisten", "1"}, {"Genres2", "1"},
        {"Uitvoeringen", "1"},     {"Trefwoorden", "1"}, {"Jaren", "1"},
        {"Tracktijden", "2"},      {"Uren", "0"},        {"Minuten", "4"},
        {"Upgedate", "Unkown"}};
    std::string date;
    for (const bool update : {true, false}) {
        SCOPED_TRACE(update ? "updated" : "reopened");
        TInfoDatabaseForm screen(*catalogue);
        screen.show();
        if (update) {
            for (const auto& [key, text] : expected)
                EXPECT_EQ(screen.Shown(key).toStdString(), key == "Upgedate" ? text : "0") << key;
            screen.UpdateClick();
            date = screen.Shown("Upgedate").toStdString();
            EXPECT_NE(date, "Unkown");
        }
        for (const auto& [key, text] : expected)
            EXPECT_EQ(screen.Shown(key).toStdString(), key == "Upgedate" ? date : text) << key;
        EXPECT_EQ(CarrierCounts(screen), (std::vector<std::string>{"CD=2", "LP=1", "MC=0"}));
    }

    // A stopped count writes nothing: neither the kept figures nor the carrier counts.
    AddSource("MC", 1);
    Add(catalogue->dm1.ArtTable, {{"TITEL", "More"}});
    EXPECT_FALSE(UpdateDatabaseInformation(*catalogue, [](uint64_t, uint64_t) { return false; }));
    EXPECT_EQ(ReadDatabaseInformation().texts.at("TotTracks"), "3");
    TInfoDatabaseForm screen(*catalogue);
    screen.show();
    EXPECT_EQ(CarrierCounts(screen), (std::vector<std::string>{"CD=2", "LP=1", "MC=0"}));
}

}  // namespace
