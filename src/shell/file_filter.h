// File-dialog filters as the catalogue writes them ("BMP files (*.BMP)|*.BMP", pairs of
// description and patterns separated by '|', patterns by ';') turned into Qt's name filters.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

struct QtFileFilter {
    // For QFileDialog::setNameFilters; the first is the one selected.
    QStringList nameFilters;
    // The entry of nameFilters that stands for executable files only; empty when there is none.
    QString programsFilter;
};

// The Qt name filters for `filter`, ending with "All files (*)". Patterns are matched without
// regard to letter case by the dialog. Where programs have no .exe extension (not on Windows) a
// filter asking for EXE files is preceded by "Programs (*)", which lists executable files.
QtFileFilter ToQtFileFilter(const std::string& filter);
