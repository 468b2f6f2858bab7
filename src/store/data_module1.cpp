#include "store/data_module1.h"

#include "store/catalogue_schema.h"
#include "store/data_module3.h"
#include "store/folder_file.h"
#include "store/item_harvest.h"

TDataModule1::TDataModule1(const std::string& folder, bool readOnly)
    : ArtTable("ArtTable", &TableEnv1), folder_(folder) {
    TableEnv1.ReadOnly = readOnly;
    TableEnv1.Century = true;
    TableEnv1.dateFormat = TTableEnv::DateFormat::Italian;
    TableEnv1.Deleted = true;
    ArtTable.setTableName(FolderFile(folder, "artdat.dat"));
    ArtTable.setExpectedFields(TrackTable().fields);
}

void TDataModule1::UpdateItems(TDataModule3& items) {
    HarvestItems(ArtAccess, {{"UITVOER", 'U'}, {"SOORT", 'G'}, {"TREF", 'T'}}, items);
}
