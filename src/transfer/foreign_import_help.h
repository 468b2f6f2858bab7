// The help context of the import from another program's screens (data/help/contexts.ini).
#pragma once

inline constexpr int kForeignImportHelpContext = 44;
