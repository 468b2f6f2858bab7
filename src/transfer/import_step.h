// The last step of every import window: a safety copy, then the rows added behind the hourglass
// with the percentage in the status line, and the user told how it went.
#pragma once

#include <functional>
#include <string>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

class Catalogue;

// `copyName` names the safety copy, `doing` the status line ("Importing from CSV..."). True when
// the rows were added; false when the copy was refused or the import failed (nothing added).
bool AddImportedShown(Catalogue& catalogue, const std::string& copyName, const std::string& doing,
                      const std::function<xbase::Status(const xbase::ProgressFn&)>& apply,
                      const std::function<std::string()>& summary);
