// The quick find: its five fields, grouping by source, a later keystroke, the keys of the box.
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include "entry/entry_fixture.h"
#include "search/quick_find.h"
#include "search/quick_find_box.h"
#include "search/quick_find_model.h"
#include "search/search_commands.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"

namespace {

class QuickFindTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        for (const auto& [carrier, number, title, artist] :
             {std::tuple{"CD", "1", "Blue Nights", "Miles"},
              {"CD", "2", "Green", "Lovers Band"},
              {"CDR", "1", "Red", ""}})
            AddMainTitle({{"DRAGER", carrier},
                          {"CDNUMMER", number},
                          {"HTITEL", title},
                          {"HOOFDART", artist}});
        // The last track of CD 1 comes after the other sources' tracks, as an insertion does.
        for (const auto& [carrier, number, artist, title, composer] :
             {std::tuple{"CD", "1", "Beatles", "Help", "Lennon"},
              {"CD", "1", "beach boys", "Love Me", "Wilson"},
              {"CD", "2", "Abbey", "Surf", "LOVEJOY"},
              {"CDR", "1", "Bert", "Lovely", ""},
              {"CD", "1", "Zed", "Glove", ""}})
            AddTrack({{"DRAGER", carrier},
                      {"CDNUMMER", number},
                      {"ARTIEST", artist},
                      {"TITEL", title},
                      {"COMPONIST", composer}});
    }
    // Each group as "CARRIER NUMBER" with "*" for a main-title hit, then its tracks' artists.
    // The groups found for `text`; with `typedOn`, as typed on from its first letter.
    std::vector<std::string> Groups(const std::string& text, bool typedOn = false) {
        std::unique_ptr<QuickFind> previous;
        if (typedOn && !text.empty())
            previous = Find(text.substr(0, 1), nullptr);
        return Describe(*Find(text, previous.get()));
    }
    std::unique_ptr<QuickFind> Find(const std::string& text, const QuickFind* previous) {
        auto find = std::make_unique<QuickFind>(catalogue().dm1.ArtTable.table(),
                                                catalogue().dm2.HfTable.table(), text, previous);
        while (!find->done())
            EXPECT_TRUE(find->Step(std::chrono::milliseconds(5)).ok());
        return find;
    }
    std::vector<std::string> Describe(QuickFind& find) {
        std::vector<std::string> groups;
        for (size_t index = 0; index < find.groupCount(); ++index) {
            const std::string key(find.SourceKey(index));
            std::string line = TrimRight(key.substr(0, 10)) + ' ' +
                               key.substr(key.find_last_of(' ') + 1) +
                               (find.group(index).mainTitle != 0 ? "*" : "");
            find.ForEachTrack(index, find.group(index).trackCount, [&](uint32_t track) {
                catalogue().dm1.ArtAccess.Go(track);
                line += ':' + TrimRight(catalogue().dm1.ArtAccess.GetString("ARTIEST").bytes());
            });
            groups.push_back(line);
        }
        return groups;
    }
    static std::string TrimRight(std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }
};

TEST_F(QuickFindTest, FindsTheTextInFiveFieldsAndGroupsTheHitsBySource) {
    using V = std::vector<std::string>;
    const std::pair<std::string, V> cases[] = {
        // Main artist, composer and titles in any letter case; main titles first, then sources
        // in the order of their first track, each gathering its later tracks.
        {"love", V{"CD 2*:Abbey", "CD 1:beach boys:Zed", "CDR 1:Bert"}},
        {"NIGHTS", V{"CD 1*"}},
        {"mile", V{"CD 1*"}},
        {"beatles", V{"CD 1:Beatles"}},
        {"xyz", V{}},
        {"", V{}},
    };
    for (const auto& [text, groups] : cases) {
        EXPECT_EQ(Groups(text), groups) << text;
        EXPECT_EQ(Groups(text, true), groups) << text << " typed on";
    }
}

class QuickFindBoxTest : public QuickFindTest {
protected:
    void SetUp() override {
        QuickFindTest::SetUp();
        form_ = std::make_unique<TMainForm>(&catalogue());
        InstallSearchCommands(*form_, catalogue());
        form_->resize(1280, 800);  // the box fits beside the buttons, as on a maximized window
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        box_ = form_->findChild<QuickFindBox*>();
        ASSERT_NE(box_, nullptr);
        form_->command("Quickfind1")->trigger();
    }
    void Finish() {
        while (box_->finding())
            QCoreApplication::processEvents();
    }
    QStringList Rows() {
        QStringList rows;
        for (int row = 0; row < box_->list()->model()->rowCount(); ++row)
            rows << box_->list()->model()->index(row, 0).data().toString().trimmed();
        return rows;
    }
    QString Count() { return form_->findChild<QLabel*>("QuickFindCount")->text(); }

    std::unique_ptr<TMainForm> form_;
    QuickFindBox* box_ = nullptr;
};

TEST_F(QuickFindBoxTest, CtrlFReachesTheBoxInANarrowWindow) {
    form_->resize(600, 500);  // the box moves behind the toolbar's overflow button
    form_->activateWindow();
    QTest::qWait(50);
    form_->setFocus();
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(box_->edit()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), box_->edit());
    form_->mdiArea()->setFocus();  // leaving the box closes the overflow again
    EXPECT_FALSE(box_->edit()->isVisible());
}

TEST_F(QuickFindBoxTest, ALaterKeystrokeDropsTheUnfinishedFind) {
    for (int i = 0; i < 1200; ++i)
        AddTrack({{"DRAGER", "LP"}, {"CDNUMMER", "9"}, {"ARTIEST", "Band"}, {"TITEL", "Song"}});
    QTest::keyClick(box_->edit(), 'n');
    ASSERT_TRUE(box_->finding());  // the first hits are shown; the rest of the tracks wait
    EXPECT_TRUE(box_->list()->isVisible());
    QTest::keyClick(box_->edit(), 'i');
    Finish();
    EXPECT_EQ(Rows(), QStringList{"Blue Nights \u2013 Miles  [CD 1]"});
    EXPECT_EQ(Count(), "1 hit in 1 source");
}

TEST_F(QuickFindBoxTest, ArrowsMoveThroughTheHitsEnterOpensTheSourceEscClosesTheList) {
    QTest::keyClicks(box_->edit(), "love");
    Finish();
    EXPECT_EQ(Rows(),
              (QStringList{"Green \u2013 Lovers Band  [CD 2]", "Abbey \u2013 Surf  (LOVEJOY)",
                           "Blue Nights \u2013 Miles  [CD 1]", "beach boys \u2013 Love Me",
                           "Zed \u2013 Glove", "Red  [CDR 1]", "Bert \u2013 Lovely"}));
    EXPECT_EQ(Count(), "5 hits in 3 sources");
    struct Step {
        Qt::Key key;
        int row;             // the current hit afterwards
        const char* opened;  // the artist of the track the source screen selects ("": none)
        bool listShown;
    };
    const Step steps[] = {
        {Qt::Key_Down, 1, nullptr, true},     {Qt::Key_Down, 2, nullptr, true},
        {Qt::Key_Down, 3, nullptr, true},     {Qt::Key_Return, 3, "beach boys", true},
        {Qt::Key_Up, 2, nullptr, true},       {Qt::Key_Return, 2, "Beatles", true},
        {Qt::Key_Escape, -1, nullptr, false},
    };
    for (const Step& step : steps) {
        std::string opened;
        if (step.opened != nullptr) {
            testutil::WhenModalShown([&opened](QWidget* screen) {
                auto* grid = screen->findChild<QTableWidget*>("StringGrid2");
                opened = grid != nullptr && grid->currentItem() != nullptr
                             ? grid->item(grid->currentRow(), 0)->text().trimmed().toStdString()
                             : std::string("?");
                screen->close();
            });
        }
        QTest::keyClick(box_->edit(), step.key);
        EXPECT_EQ(opened, step.opened != nullptr ? step.opened : "") << step.key;
        EXPECT_EQ(box_->list()->isVisible(), step.listShown) << step.key;
        if (step.listShown) {
            EXPECT_EQ(box_->list()->currentIndex().row(), step.row) << step.key;
        }
        EXPECT_EQ(form_->focusWidget(), box_->edit()) << step.key;  // the keys stay in the box
    }
}

}  // namespace
