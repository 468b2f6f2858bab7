// Where the installation keeps what is not part of a catalogue: the new-catalogue template and
// the help pages.
#pragma once

#include <string>

// The new-installation template: empty tables with their index files, cd.ini, print.ini, the
// sounds and the help pages. TUNELO_DATA_DIR in the environment overrides the built-in folder.
std::string TemplateFolder();
// The help pages: the catalogue's own help folder when it has one, else the template's.
std::string HelpFolder();
