#include "shell/password_store.h"

#include "base/ini.h"
#include "base/text.h"
#include "platform/xbase/text_convert.h"

namespace {

constexpr std::string_view kSection = "Diversen";
constexpr std::string_view kKey = "Code_0001";

bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The settings file trims blanks around a value, strips matching quotes and cannot hold a line
// break: a stored form that runs into any of these would not read back as written.
bool SurvivesSettingsFile(std::string_view stored) {
    if (stored.empty()) {
        return false;
    }
    for (char c : stored) {
        if (c == '\n' || c == '\r' || c == '\0') {
            return false;
        }
    }
    if (IsProfileBlank(stored.front()) || IsProfileBlank(stored.back())) {
        return false;
    }
    const bool quoted = stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
                        stored.back() == stored.front();
    return !quoted;
}

}  // namespace

std::string StoredPassword() {
    return IniReadString(kSection, kKey).substr(0, kMaxPasswordLength);
}

bool PasswordInformationFound() {
    const std::string stored = StoredPassword();
    return !IsBlank(stored) && stored != kIniAbsent;
}

std::string PlainPassword() {
    return InvertBytes(StoredPassword()).substr(0, kMaxPasswordLength);
}

bool NoPasswordSet() {
    return PlainPassword() == kNoPasswordMarker;
}

bool PasswordMatches(std::string_view plain, std::string_view typedUtf8) {
    std::string typed;
    if (!xbase::FromUtf8(xbase::CodePage::Windows1252(), typedUtf8, &typed).ok()) {
        return false;
    }
    return typed == plain;
}

PasswordStoreResult StorePassword(std::string_view plainUtf8) {
    std::string plain;
    if (!xbase::FromUtf8(xbase::CodePage::Windows1252(), plainUtf8, &plain).ok()) {
        return PasswordStoreResult::Unusable;
    }
    plain = plain.substr(0, kMaxPasswordLength);
    const bool disable = IsBlank(plain);
    if (disable) {
        plain = std::string(kNoPasswordMarker);
    } else if (plain == kNoPasswordMarker) {
        return PasswordStoreResult::Unusable;
    }
    const std::string stored = InvertBytes(plain);
    if (!SurvivesSettingsFile(stored)) {
        return PasswordStoreResult::Unusable;
    }
    if (!IniWriteString(kSection, kKey, stored)) {
        return PasswordStoreResult::Failed;
    }
    return disable ? PasswordStoreResult::Disabled : PasswordStoreResult::Stored;
}
