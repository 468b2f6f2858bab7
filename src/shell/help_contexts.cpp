#include "shell/help_contexts.h"

#include "platform/profile/private_profile.h"

std::string HelpPageForContext(const std::string& helpFolder, int context) {
    if (context == 0) {
        return "index.html";
    }
    const profile::PrivateProfile contexts(helpFolder + "/contexts.ini");
    return contexts.ReadString("Contexts", std::to_string(context), "");
}
