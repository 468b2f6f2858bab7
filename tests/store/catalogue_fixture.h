// Shared by the catalogue tests: a folder with the five empty tables, and record helpers.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "base/text.h"
#include "base/work_dir.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "store/catalogue.h"
#include "store/catalogue_files.h"
#include "support/scripted_ui.h"
#include "test_util.h"

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateCatalogueTables(folder()).ok());
        SetWorkDir(folder());
    }

    std::string folder() const { return dir_.path().string(); }
    std::string File(const std::string& name) const { return dir_.File(name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

    // A catalogue whose index files are built and open, as after a normal start.
    std::unique_ptr<Catalogue> OpenBuilt() {
        EXPECT_TRUE(CreateCatalogueIndexes(folder()).ok());
        auto catalogue = std::make_unique<Catalogue>(folder());
        catalogue->OpenIndexes();
        return catalogue;
    }

    static void Add(TTable& table, const std::map<std::string, std::string>& values) {
        table.Insert();
        for (const auto& [field, value] : values)
            table.SetFieldAsString(field, value);
        table.Post();
    }

    // The source keys of each table in record order, tables parted by "| ".
    static std::string Keys(std::initializer_list<TTableAccess*> accesses) {
        std::string out;
        for (TTableAccess* access : accesses) {
            access->SetOrder(0);
            for (access->GoTop(); !access->Eof(); access->Skip())
                out += TrimRight(access->GetString("DRAGER").bytes()) +
                       std::to_string(access->GetInteger("CDNUMMER")) + " ";
            out += "| ";
        }
        return out;
    }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The pick list of lookup items of `code`.
    static std::vector<std::string> ItemsOf(Catalogue& catalogue, char code) {
        std::vector<std::string> list;
        catalogue.dm3.GetItems(list, code);
        return list;
    }

    // Runs `work` in a child process, killed after `killAfter` when given; its wait status.
    static int InChild(const std::function<void()>& work,
                       std::chrono::microseconds killAfter = std::chrono::microseconds(-1)) {
        const pid_t child = fork();
        if (child == 0) {
            work();
            _exit(0);
        }
        if (killAfter.count() >= 0) {
            std::this_thread::sleep_for(killAfter);
            kill(child, SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }

    testutil::TempDir dir_;
};

// A catalogue whose index files are built and open, with a scripted Ui.
class BuiltCatalogueTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        catalogue_ = OpenBuilt();
        ui_.statuses.clear();  // only what the operations under test show
    }

    ScriptedUi ui_;
    std::unique_ptr<Catalogue> catalogue_;
};

// Appends one record to a table opened through the engine; values by field name, as text.
inline void AppendRow(xbase::Table& table, const std::map<std::string, std::string>& values,
                      const xbase::MemoTexts& memos = {}) {
    std::vector<uint8_t> record(table.recordLength(), ' ');
    for (const xbase::FieldDef& f : table.schema().fields())
        xbase::SetBlank(record.data(), f);
    for (const auto& [field, value] : values) {
        const int index = table.schema().Find(field);
        ASSERT_GE(index, 0) << field;
        ASSERT_TRUE(xbase::SetText(record.data(), table.schema()[size_t(index)], value).ok())
            << field;
    }
    uint32_t recno = 0;
    ASSERT_TRUE(table.Append(record.data(), memos, &recno).ok());
}
