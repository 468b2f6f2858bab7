// Text from the catalogue and from cd.ini that looks like markup is shown as written: every
// character field of a source, its track and its loan holds a tag, and each screen that shows
// them must show the tags as text.
#include <QApplication>
#include <QLabel>

#include "entry/editors_fixture.h"
#include "overview/info_database_form.h"
#include "overview/show_source.h"
#include "shell/modal_driver.h"
#include "shell/plain_text_labels.h"

namespace {

class MarkupTextTest : public EditorsTest {
protected:
    // Every character and memo field gets "<b>NAME" (as much as fits); the key fields keep
    // `keys` so that the records belong together.
    static void AddMarked(TTable& table, const std::map<std::string, std::string>& keys) {
        std::map<std::string, std::string> values = keys;
        const xbase::Schema& schema = table.table().schema();
        for (size_t i = 0; i < schema.size(); ++i) {
            const xbase::FieldDef& field = schema[i];
            if ((field.type == 'C' || field.type == 'M') && !keys.count(field.name))
                values[field.name] =
                    ("<b>" + field.name)
                        .substr(0, field.type == 'M' ? std::string::npos : field.length);
        }
        Add(table, values);
    }
    // The labels of `screen` that show a tag, after checking that each shows it as plain text.
    static int MarkedLabels(QWidget* screen) {
        int marked = 0;
        for (const QLabel* label : screen->findChildren<QLabel*>()) {
            if (!label->text().contains("<b>"))
                continue;
            ++marked;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
        return marked;
    }

    // As the program runs.
    PlainTextLabels plainText{*qobject_cast<QApplication*>(QCoreApplication::instance())};
};

TEST_F(MarkupTextTest, ScreensShowCatalogueAndSettingsTextAsWritten) {
    const std::map<std::string, std::string> source = {{"DRAGER", "CD"}, {"CDNUMMER", "1"}};
    AddMarked(catalogue->dm2.HfTable, source);
    std::map<std::string, std::string> track = source;
    track["TRACK"] = "1";
    AddMarked(catalogue->dm1.ArtTable, track);
    AddMarked(catalogue->dm3.UitleenTable, source);
    IniWriteString("DatabaseInformatie", "Upgedate", "<b>1-1-2026");

    const struct {
        const char* screen;
        std::function<void()> open;
    } screens[] = {
        {"source", [&] { ShowSource(*catalogue, "CD", "1", 0, nullptr); }},
        {"main title", [&] { ShowMainTitleInfo(*catalogue, nullptr); }},
        {"track", [&] { ShowTrackInfo(*catalogue, nullptr); }},
    };
    catalogue->dm2.HfAccess.GoTop();
    catalogue->dm1.ArtAccess.GoTop();
    for (const auto& s : screens) {
        SCOPED_TRACE(s.screen);
        int marked = 0;
        testutil::WhenModalShown([&marked](QWidget* screen) {
            marked = MarkedLabels(screen);
            screen->close();
        });
        s.open();
        EXPECT_GT(marked, 0);
    }

    TInfoDatabaseForm information(*catalogue);
    information.show();
    EXPECT_EQ(information.Shown("Upgedate"), "<b>1-1-2026");
    EXPECT_EQ(MarkedLabels(&information), 1);
}

}  // namespace
