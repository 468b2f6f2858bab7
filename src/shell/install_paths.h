// Where the installation keeps what is not part of a catalogue: the new-catalogue template and
// the help pages.
#pragma once

#include <string>

// The new-installation template: empty tables with their index files, cd.ini, print.ini, the
// sounds and the help pages. TUNELO_DATA_DIR in the environment names it; else an installed
// program finds it beside itself (share/tunelo/data under its prefix), and a program run from
// its build folder uses the source tree's data/.
std::string TemplateFolder();
// The help pages: the catalogue's own help folder when it has one, else the template's.
std::string HelpFolder();
