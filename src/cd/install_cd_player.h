// The CD player of the main window: created once, right after the main window, and reachable by
// every screen that plays, stops or ejects a disc or reads track times.
#pragma once

#include <memory>

#include "platform/cdaudio/cd_device.h"

class Catalogue;
class TCdSpeler;
class TMainForm;

// Creates the player with the libcdio device, puts its controls on the toolbar, hooks Timer1,
// the two disc commands of the menu, the General settings' "Show player" and the password lock
// of "&Hide CD Player", and opens the device when the player is to be shown. `form` and
// `catalogue` must outlive the run; the player lives as long as `form`. `device` (tests): another
// device than the default libcdio one.
TCdSpeler& InstallCdPlayer(TMainForm& form, Catalogue& catalogue,
                           std::unique_ptr<cdaudio::CdDevice> device = nullptr);

// The installed player. Precondition: HasCdPlayer().
TCdSpeler& CdPlayer();
bool HasCdPlayer();
