// "Import from CSV…" through the main window: the preview, and nothing added until the user
// agrees.
#include <QAbstractItemModel>
#include <QLabel>
#include <QTableView>

#include "entry/editors_fixture.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "transfer/transfer_commands.h"

namespace {

class TransferTest : public EditorsTest {};

TEST_F(TransferTest, ImportShowsWhatItWouldAddAndAddsOnlyWhenTheUserAgrees) {
    AddSource("CD", 7, "Blue Train");
    testutil::TempDir in;
    std::ofstream(in.File("sources.csv")) << "DRAGER,CDNUMMER,HTITEL\r\nCD,7,Again\r\nCD,8,New\r\n";
    std::ofstream(in.File("TRACKS.csv")) << "drager,cdnummer,titel,track\r\nCD,8,One,1\r\n";
    for (const char* button : {"CancelBtn", "ImportBtn"}) {
        ui.files.push_back(in.path().string());
        TMainForm form(catalogue.get());
        InstallTransferCommands(form, *catalogue);
        std::string summary, refusal;
        testutil::WhenModalShown([&](QWidget* dialog) {
            summary = Child<QLabel>(dialog, "SummaryLabel")->text().toStdString();
            const QAbstractItemModel* refused = Child<QTableView>(dialog, "RefusedGrid")->model();
            refusal = refused->index(0, 1).data().toString().toStdString() + " " +
                      refused->index(0, 2).data().toString().toStdString();
            QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
        });
        form.command("Importcsv1")->trigger();
        EXPECT_NE(summary.find("1 source, 1 track, no loans and no playlist entries will be added"),
                  std::string::npos)
            << summary;
        EXPECT_NE(summary.find("1 row is refused"), std::string::npos) << summary;
        EXPECT_EQ(refusal, "2 source CD 7 is already in the catalogue");
        EXPECT_EQ(catalogue->dm2.HfAccess.Count(), std::string(button) == "ImportBtn" ? 2u : 1u);
    }
    EXPECT_EQ(catalogue->dm1.ArtAccess.Count(), 1u);
}

}  // namespace
