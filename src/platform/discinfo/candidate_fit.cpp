#include "platform/discinfo/candidate_fit.h"

#include <algorithm>
#include <cstdlib>

namespace discinfo {

namespace {

// What a missing track or an unknown time costs: more than any plausible difference.
constexpr long kFarOff = 100000;

}  // namespace

long FitDistance(const DiscCandidate& candidate, const DiscQuery& query) {
    const int tracks = query.trackCount();
    long distance = std::labs(long(candidate.tracks.size()) - tracks) * kFarOff;
    for (int i = 0; i < tracks && size_t(i) < candidate.tracks.size(); ++i) {
        const int seconds = candidate.tracks[size_t(i)].seconds;
        distance += seconds < 0 ? kFarOff : std::labs(long(seconds) - query.trackSeconds(i));
    }
    return distance;
}

void SortByFit(std::vector<DiscCandidate>* candidates, const DiscQuery& query) {
    std::stable_sort(candidates->begin(), candidates->end(),
                     [&](const DiscCandidate& a, const DiscCandidate& b) {
                         return FitDistance(a, query) < FitDistance(b, query);
                     });
}

}  // namespace discinfo
