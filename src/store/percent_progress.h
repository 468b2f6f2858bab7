// Engine progress (done of total) as whole percents, reported only when the figure changes, so
// that a status line or gauge is not redrawn for every record of a long run.
#pragma once

#include <functional>

#include "platform/xbase/table.h"

xbase::ProgressFn PercentProgress(std::function<void(int percent)> report);
