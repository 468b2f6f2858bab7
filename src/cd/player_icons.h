// The pictures of the player buttons, drawn by the program so that they look alike on every
// desktop: the usual media symbols.
#pragma once

#include <QIcon>

#include "cd/cd_speler.h"

QIcon PlayerButtonIcon(TCdSpeler::PlayerButton button);
// The small picture of the track list's button that jumps to the disc's source.
QIcon SourceJumpIcon();
