#include "platform/discinfo/disc_data_folder.h"

namespace discinfo {

// Not built yet: reads nothing.
bool ParseXmcd(std::string_view, XmcdRecord*, std::string* error) {
    if (error)
        *error = "not built yet";
    return false;
}

std::vector<DiscCandidate> LookUpDiscData(const std::string&, const DiscQuery&, std::string*) {
    return {};
}

}  // namespace discinfo
