#include "base/protection.h"

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ui.h"

bool NietBeveiligd() {
    return !IniReadBool("Diversen", "TrackBvAan");
}

bool ChkBeveiliging() {
    if (NietBeveiligd()) {
        return false;
    }
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Information, "You are not authorized to use this option.");
    return true;
}
