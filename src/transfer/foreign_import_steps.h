// "Import from another program…": asks for the file, recognises its format (or asks which it
// is), for a CSV file first asks where each column goes, then shows what will be added.
#pragma once

class Catalogue;
class QWidget;

// `catalogue` must outlive the call; the screens are children of `parent`.
void ImportFromOtherProgram(Catalogue& catalogue, QWidget* parent);
