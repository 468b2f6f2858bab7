// Shared by the maintenance screen tests: a template catalogue and a main window with its commands.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/work_dir.h"
#include "maintenance/maintenance_commands.h"
#include "shell/main_form.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "support/scripted_ui.h"
#include "test_util.h"

class MaintenanceFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.File("catalogue");
        ASSERT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder_).ok());
        SetWorkDir(folder_);
        BeforeOpening();
        catalogue_ = std::make_unique<Catalogue>(folder_);
        catalogue_->OpenIndexes();
        form_ = std::make_unique<TMainForm>(catalogue_.get());
        InstallMaintenanceCommands(*form_, *catalogue_);
    }
    // Settings a test wants in cd.ini before the catalogue opens.
    virtual void BeforeOpening() {}

    testutil::TempDir dir_;
    std::string folder_;
    ScriptedUi ui_;
    std::unique_ptr<Catalogue> catalogue_;
    std::unique_ptr<TMainForm> form_;
};
