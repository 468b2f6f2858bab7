// The Qt side of the Ui: message boxes, Help, file filters, hourglass, status line, help viewer.
#include "shell/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "base/work_dir.h"
#include "modal_driver.h"
#include "shell/executable_filter.h"
#include "shell/file_filter.h"
#include "shell/help_viewer.h"
#include "test_util.h"

namespace {

// Programs are any executable file here (the dialog's filters are checked below).
TEST(FileFilterTest, CatalogueFiltersBecomeQtNameFilters) {
    const QtFileFilter bmp = ToQtFileFilter("BMP files (*.BMP)|*.BMP");
    EXPECT_EQ(bmp.nameFilters, (QStringList{"BMP files (*.BMP)", "All files (*)"}));
    EXPECT_TRUE(bmp.programsFilter.isEmpty());
    EXPECT_EQ(ToQtFileFilter("Pictures|*.bmp;*.png|All|*.*").nameFilters,
              (QStringList{"Pictures (*.bmp *.png)", "All (*.*)"}));
    EXPECT_EQ(ToQtFileFilter("EXE files (.EXE)|*.EXE").programsFilter, "Programs (*)");
}

class QtUiTest : public testing::Test {
protected:
    QtUiTest() {
        SetWorkDir(dir.path().string());
        std::filesystem::create_directory(dir.File("help"));
        Write("help/index.html",
              "<html><head><title>Contents</title></head><body>"
              "<a href=\"search.html\">Search</a></body></html>");
        Write("help/search.html",
              "<html><head><title>Tunelo Help: Searching</title></head><body>"
              "<a name=\"cd\"></a>CD</body></html>");
        Write("help/contexts.ini", "[Contexts]\n37=search.html#cd\n38=gone.html\n");
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name)) << text;
    }
    QString Help(const std::string& name) const {
        return QFileInfo(QString::fromStdString(dir.File("help/" + name))).absoluteFilePath();
    }

    testutil::TempDir dir;
    QtUi ui;
};

TEST_F(QtUiTest, MessageBoxesHaveTheirButtonsAndEscapeGivesTheLast) {
    testutil::WhenModalShown([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "TUNELO");
        // A title from the catalogue is shown as written, never as markup.
        EXPECT_EQ(box->text(), QString::fromUtf8("Delete \xE2\x80\x9C<img src=\"/nowhere\"><b>"
                                                 "Abba\xE2\x80\x9D?"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->buttons().size(), 3);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        box->reject();  // Escape
    });
    EXPECT_EQ(ui.Message(MsgKind::Confirmation,
                         "Delete \xE2\x80\x9C<img src=\"/nowhere\"><b>"
                         "Abba\xE2\x80\x9D?",
                         MsgButtons::YesNoAbort),
              MsgAnswer::Abort);

    testutil::WhenModalShown([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(ui.Message(MsgKind::Warning, "Sure?", MsgButtons::YesNo), MsgAnswer::Yes);

    // Buttons of its own: the one clicked, Escape the last.
    for (const int clicked : {0, 1, -1}) {
        testutil::WhenModalShown([clicked](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            EXPECT_EQ(box->buttons().size(), 2);
            if (clicked < 0)
                box->reject();
            else
                box->findChild<QPushButton*>(QString("ChoiceButton%1").arg(clicked))->click();
        });
        EXPECT_EQ(ui.Choose(MsgKind::Information, "Which?", {"Show it", "Add anyway"}),
                  clicked < 0 ? 1u : size_t(clicked));
    }
}

TEST_F(QtUiTest, HelpOpensThePageAndLeavesTheBoxOpen) {
    testutil::WhenModalShown([this](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        auto* help = box->findChild<QPushButton*>("HelpButton");
        ASSERT_NE(help, nullptr);
        help->click();
        EXPECT_TRUE(box->isVisible() && ui.helpViewer().isVisible());
        EXPECT_EQ(ui.helpViewer().source().toLocalFile(), Help("search.html"));
        EXPECT_EQ(ui.helpViewer().source().fragment(), "cd");
        ui.helpViewer().close();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ui.Message(MsgKind::Information, "The tracks from this source are not found!",
                         MsgButtons::Ok, 37),
              MsgAnswer::Ok);
}

TEST_F(QtUiTest, TheHelpViewerExplainsWhatIsMissing) {
    // The viewer opens below the program's menu bar, over its work area.
    QMainWindow main;
    main.menuBar()->addMenu("&Source");
    main.setCentralWidget(new QWidget);
    main.setGeometry(0, 0, 1024, 740);
    main.show();
    THelpViewer& viewer = ui.helpViewer();
    ui.ShowHelp(0);
    EXPECT_EQ(viewer.source().toLocalFile(), Help("index.html"));
    EXPECT_EQ(viewer.pageTitle(), "Contents");
    EXPECT_EQ(viewer.windowTitle(), "TUNELO Help - Contents");
    EXPECT_GE(viewer.geometry().top(), main.centralWidget()->mapToGlobal(QPoint(0, 0)).y());
    ui.ShowHelp(37);
    EXPECT_EQ(viewer.windowTitle(), "TUNELO Help - Searching");  // the page's own title says "Help"
    EXPECT_EQ(&viewer, &ui.helpViewer());                        // one viewer for the run

    ui.ShowHelp(38);
    EXPECT_EQ(viewer.pageTitle(), "Help page not found");
    ui.ShowHelp(99);
    EXPECT_EQ(viewer.pageTitle(), "No help for this subject");
    viewer.close();
}

TEST_F(QtUiTest, ChoosingAProgramInTheFileDialog) {
    Write("tool", "#!/bin/sh\n");
    const QString tool = QString::fromStdString(dir.File("tool"));
    testutil::WhenModalShown([&tool](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{"Programs (*)", "EXE files (*.EXE)", "All files (*)"}));
        EXPECT_NE(qobject_cast<TExecutableFilter*>(dialog->proxyModel()), nullptr);
        EXPECT_EQ(dialog->directory().absolutePath(), QFileInfo(tool).absolutePath());
        dialog->selectFile(tool);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<std::string> chosen =
        ui.OpenFileName("Open", "EXE files (.EXE)|*.EXE", dir.File("old-tool"));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(QString::fromStdString(*chosen)), QFileInfo(tool));

    testutil::WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(ui.OpenFileName("Open", "BMP files (*.BMP)|*.BMP", "").has_value());
}

TEST_F(QtUiTest, PrinterSetupIsAPageSetUpOfTheSharedPrinter) {
    for (const bool accept : {true, false}) {
        testutil::WhenModalShown([this, accept](QWidget* modal) {
            auto* dialog = qobject_cast<QPageSetupDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->printer(), &ui.printer());
            QMetaObject::invokeMethod(dialog, accept ? "accept" : "reject");
        });
        EXPECT_EQ(ui.PrinterSetup(), accept);
    }
}

TEST_F(QtUiTest, TheHourglassNestsAndStatusTextsReachTheSink) {
    ui.SetBusy(true);
    ui.SetBusy(true);
    ui.SetBusy(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    ui.SetBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.SetBusy(false);  // one too many does no harm
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ui.SetStatus("dropped without a sink");
    QStringList shown;
    ui.setStatusSink([&shown](const QString& text) { shown << text; });
    ui.SetStatus("Reading track 3 \xE2\x80\x93 Abba");
    ui.SetStatus("");
    EXPECT_EQ(shown, (QStringList{QString::fromUtf8("Reading track 3 \xE2\x80\x93 Abba"), ""}));
}

}  // namespace
