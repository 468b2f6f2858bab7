#include "store/percent_progress.h"

#include <algorithm>
#include <memory>

xbase::ProgressFn PercentProgress(std::function<void(int percent)> report) {
    auto last = std::make_shared<int>(-1);
    return [report = std::move(report), last](uint64_t done, uint64_t total) {
        const int percent = total == 0 ? 100 : int(std::min(done, total) * 100 / total);
        if (percent != *last) {
            *last = percent;
            report(percent);
        }
    };
}
