// Shared by the small editors' tests: a catalogue made from the installation template in a
// temporary program directory, records written the way the screens write them, and finding the
// editors' widgets by object name.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "base/ini.h"
#include "base/text.h"
#include "base/work_dir.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "support/scripted_ui.h"
#include "test_util.h"

class EditorsTest : public ::testing::Test {
protected:
    EditorsTest() {
        EXPECT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder()).ok());
        SetWorkDir(folder());
        catalogue = std::make_unique<Catalogue>(folder());
        catalogue->OpenIndexes();
    }

    std::string folder() const { return dir.path().string(); }

    // Appends a record with the fields given as text; returns its record number.
    static uint32_t Add(TTable& table, const std::map<std::string, std::string>& values) {
        table.Insert();
        for (const auto& [field, value] : values)
            table.SetFieldAsString(field, value);
        table.Post();
        return table.cursor().RecNo();
    }
    uint32_t AddSource(const std::string& carrier, int number, const std::string& title = "") {
        return Add(catalogue->dm2.HfTable,
                   {{"DRAGER", carrier}, {"CDNUMMER", std::to_string(number)}, {"HTITEL", title}});
    }
    void AddTrack(const std::string& carrier, int number, const std::string& side, int track) {
        Add(catalogue->dm1.ArtTable, {{"DRAGER", carrier},
                                      {"CDNUMMER", std::to_string(number)},
                                      {"AKANT", side},
                                      {"TRACK", std::to_string(track)},
                                      {"ARTIEST", "Artist"},
                                      {"TITEL", "Title " + std::to_string(track)}});
    }
    uint32_t AddItem(const std::string& text, char code, const std::string& kant = " ") {
        return Add(catalogue->dm3.ItemsTable,
                   {{"OMS", text}, {"CODE", std::string(1, code)}, {"KANT", kant}});
    }
    // The items of one code, as the pick lists show them.
    std::vector<std::string> Items(char code) {
        std::vector<std::string> items;
        catalogue->dm3.GetItems(items, code);
        return items;
    }
    std::string Field(TTableAccess& access, uint32_t recno, const char* field) {
        access.Go(recno);
        return Trim(access.GetString(field).bytes());
    }
    std::string CdIni() const {
        std::ifstream file(IniFileName(), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static void Lock(bool on) { IniWriteBool("Diversen", "TrackBvAan", on); }

    template <typename T>
    static T* Child(const QWidget* parent, const char* name) {
        T* child = parent->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // Replaces a line edit's text by typing.
    static void Retype(QWidget* screen, const char* name, const QString& text) {
        auto* edit = Child<QLineEdit>(screen, name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void Press(QWidget* screen, const char* name) {
        Child<QPushButton>(screen, name)->click();
    }

    testutil::TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<Catalogue> catalogue;
};
