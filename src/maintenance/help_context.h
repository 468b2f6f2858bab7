// Help contexts of the maintenance screens' messages (help/contexts.ini).
#pragma once

inline constexpr int kOptimizeHelpContext = 40;
inline constexpr int kRestoreHelpContext = 41;
inline constexpr int kRenumberSourcesHelpContext = 42;
