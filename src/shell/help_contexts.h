// Help context numbers to help pages. The program asks for help by number; contexts.ini in the
// help folder (section [Contexts], key = number, value = "page.html#anchor") says which page.
#pragma once

#include <string>

// The page (with its anchor, if any) for `context`; "index.html" for 0; "" when contexts.ini
// does not know the number.
std::string HelpPageForContext(const std::string& helpFolder, int context);

// The dynamic property (an int) by which a screen names its own help context: F1 while the screen
// is the active child window opens that page instead of the contents.
inline constexpr char kHelpContextProperty[] = "helpContext";
