#include "base/feedback.h"

#include "base/ini.h"
#include "base/ui.h"
#include "base/work_dir.h"
#include "platform/common/file_names.h"

void PlayWave(std::string_view fileName) {
    const std::string path = WorkFile(fileName);
    if (tunelo::FileExistsNoCase(path) && IniReadBool("Diversen", "Geluid")) {
        CurrentUi().PlaySound(path);
    }
}

void ShowStatus(std::string_view text) {
    CurrentUi().SetStatus(std::string(text));
}
