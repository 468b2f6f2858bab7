// How well a candidate's track times fit the disc: the screens list the best first.
#pragma once

#include <vector>

#include "platform/discinfo/disc_candidate.h"

namespace discinfo {

// Sum over the tracks of the difference in seconds between the candidate's time and the disc's; a
// different track count or an unknown time counts as far off. Lower is better.
long FitDistance(const DiscCandidate& candidate, const DiscQuery& query);
// Sorts `candidates` best fit first; equal fits keep their order (origin order).
void SortByFit(std::vector<DiscCandidate>* candidates, const DiscQuery& query);

}  // namespace discinfo
