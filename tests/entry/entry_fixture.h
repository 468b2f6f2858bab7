// Shared by the entry screen tests: a catalogue made from the installation template in a
// temporary folder (its cd.ini included), a scripted Ui, and helpers to seed and read records.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/ini.h"
#include "base/work_dir.h"
#include "entry/entry_run_memory.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "support/scripted_ui.h"
#include "test_util.h"

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_.File("catalogue");
        ASSERT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder_).ok());
        SetWorkDir(folder_);
        catalogue_ = std::make_unique<Catalogue>(folder_);
        catalogue_->OpenIndexes();
        EntryRunMemory::Reset();
    }

    Catalogue& catalogue() { return *catalogue_; }

    using Record = std::map<std::string, std::string>;

    static void Add(TTable& table, const Record& values) {
        table.Insert();
        for (const auto& [field, value] : values)
            table.SetFieldAsString(field, value);
        table.Post();
    }
    void AddTrack(const Record& values) { Add(catalogue_->dm1.ArtTable, values); }
    void AddMainTitle(const Record& values) { Add(catalogue_->dm2.HfTable, values); }
    // A carrier item divided into sides A and B.
    void AddSidedCarrier(const std::string& code) {
        Add(catalogue_->dm3.ItemsTable, {{"OMS", code}, {"CODE", "D"}, {"KANT", "A"}});
    }

    // Every visible record of a table in record order, fields trimmed on the right.
    static std::vector<Record> Rows(TTableAccess& access, const std::vector<std::string>& fields) {
        std::vector<Record> rows;
        const int order = access.IndexOrd();
        access.SetOrder(0);
        for (access.GoTop(); !access.Eof(); access.Skip(1)) {
            Record row;
            for (const std::string& field : fields) {
                std::string value = access.GetString(field).bytes();
                while (!value.empty() && value.back() == ' ')
                    value.pop_back();
                const size_t start = value.find_first_not_of(' ');
                row[field] = start == std::string::npos ? "" : value.substr(start);
            }
            rows.push_back(row);
        }
        access.SetOrder(order);
        return rows;
    }
    std::vector<Record> Tracks() {
        return Rows(catalogue_->dm1.ArtAccess,
                    {"DRAGER", "CDNUMMER", "AKANT", "TRACK", "ARTIEST", "TITEL", "COMPONIST",
                     "SOORT", "UITVOER", "TREF", "MINUTEN", "SECONDEN", "JAAR"});
    }
    std::vector<Record> MainTitles() {
        return Rows(catalogue_->dm2.HfAccess, {"DRAGER", "CDNUMMER", "HTITEL", "HOOFDART", "SOORT",
                                               "LABEL", "OPNAME", "INVOERDAT"});
    }
    bool HasItem(const std::string& text, char code) {
        TTableAccess& items = catalogue_->dm3.ItemsAccess;
        items.SetOrder(1);
        if (!items.Seek(catalogue_->dm3.ItemKey(text, code)))
            return false;
        std::string oms = items.GetString("OMS").bytes();
        oms.erase(oms.find_last_not_of(' ') + 1);
        return oms == text;
    }

    ScriptedUi ui_;
    testutil::TempDir dir_;
    std::string folder_;
    std::unique_ptr<Catalogue> catalogue_;
};
