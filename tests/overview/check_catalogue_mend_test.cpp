// Mending from the check window by keyboard: the preview goes ahead with Enter only.
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <filesystem>

#include "entry/editors_fixture.h"
#include "overview/check_catalogue_form.h"
#include "shell/modal_driver.h"
#include "store/safety_copy.h"

namespace {

using CheckMendTest = EditorsTest;

TEST_F(CheckMendTest, ThePreviewGoesAheadWithEnterOnlyAndClosingLosesNothing) {
    AddSource("CD", 1);
    for (const char* track : {"1", "3"})
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"},
                                      {"CDNUMMER", "1"},
                                      {"TRACK", track},
                                      {"TITEL", "Song"},
                                      {"ARTIEST", "Band"},
                                      {"MINUTEN", "3"}});
    const struct {
        const char* how;
        std::function<void(QWidget* preview, QWidget* screen)> end;
        bool mended;
    } cases[] = {
        {"Escape", [](QWidget* preview, QWidget*) { QTest::keyClick(preview, Qt::Key_Escape); },
         false},
        {"the preview closed", [](QWidget* preview, QWidget*) { preview->close(); }, false},
        {"the window closed",
         [](QWidget*, QWidget* screen) {
             screen->close();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         },
         false},
        {"Enter",
         [](QWidget* preview, QWidget*) {
             QTest::keyClick(Child<QTreeWidget>(preview, "MendChanges"), Qt::Key_Return);
         },
         true},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        QPointer<TCheckCatalogueForm> screen = new TCheckCatalogueForm(*catalogue);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        QApplication::setActiveWindow(screen);
        QTest::keyClick(screen->findings(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(Child<QPushButton>(screen, "RenumberBtn")->isEnabled(), 3000);
        EXPECT_FALSE(Child<QPushButton>(screen, "FillArtistsBtn")->isEnabled()) << c.how;
        std::vector<std::string> shown;
        testutil::WhenModalShown([&](QWidget* preview) {
            auto* changes = Child<QTreeWidget>(preview, "MendChanges");
            for (int column = 0; column < 5; ++column)
                shown.push_back(changes->topLevelItem(0)->text(column).toStdString());
            c.end(preview, screen);
        });
        QTest::keyClick(screen->findings(), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.empty(), 3000);  // an access key clicks a moment later
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(screen.isNull(), c.how == std::string("the window closed"));
        EXPECT_EQ(shown, (std::vector<std::string>{"CD 1", "artdat.dat 2", "TRACK", "3", "2"}))
            << c.how;
        EXPECT_EQ(Field(catalogue->dm1.ArtAccess, 2, "TRACK"), c.mended ? "2" : "3") << c.how;
        EXPECT_EQ(ListSafetyCopies(folder()).size(), c.mended ? 1u : 0u) << c.how;
        if (c.mended) {
            // Checked again: nothing is left of the kind mended.
            EXPECT_EQ(screen->findings()->model()->rowCount(), 0) << c.how;
            EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"1 record(s) are mended.",
                                                                   "Nothing to mend was found."}))
                << c.how;
        }
        delete screen;
    }
}

// A button works on the group under the cursor when it is one of its kinds, else on all of them.
TEST_F(CheckMendTest, RemovingWorksOnTheGroupUnderTheCursorOrOnAllItsKinds) {
    Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "9"}, {"AANWIE", "Bob"}});
    Add(catalogue->dm3.PlaylistTable, {{"DRAGER", "CD"}, {"CDNUMMER", "9"}, {"TRACK", "1"}});
    TCheckCatalogueForm screen(*catalogue);
    screen.show();
    Press(&screen, "CheckBtn");
    QTreeView* tree = screen.findings();
    const QAbstractItemModel* model = tree->model();
    ASSERT_EQ(model->index(0, 0).data().toString().toStdString(), "Loans of no source: 1");
    ASSERT_EQ(model->index(1, 0).data().toString().toStdString(),
              "Playlist entries of no track: 1");
    // On a finding, on its kind's heading, on a finding's last column, on no row.
    const struct {
        QModelIndex cursor;
        int rows;
    } cases[] = {
        {model->index(0, 0, model->index(0, 0)), 1},
        {model->index(1, 0), 1},
        {model->index(0, 2, model->index(1, 0)), 1},
        {QModelIndex(), 2},
    };
    for (const auto& [cursor, rows] : cases) {
        tree->setCurrentIndex(cursor);
        int shown = 0;
        testutil::WhenModalShown([&](QWidget* preview) {
            shown = Child<QTreeWidget>(preview, "MendChanges")->topLevelItemCount();
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        Press(&screen, "RemoveBrokenBtn");
        EXPECT_EQ(shown, rows) << cursor.row() << "," << cursor.column();
    }
}

}  // namespace
