// The folder the CSV files were last written to or read from, kept in cd.ini (Diversen,
// CsvFolder); at first the folder csv in the catalogue folder.
#pragma once

#include <string>

std::string LastCsvFolder();
void SetLastCsvFolder(const std::string& folder);
