// The carrier box of the two source screens of the Print menu: the carrier pick list, starting
// with the default carrier of the entry settings.
#pragma once

#include <optional>
#include <string>

class Catalogue;
class PickListCombo;
class QWidget;

// A list field "pDrager" of 10 characters offering the carrier items, holding cd.ini [Invoer]
// DefaultDrager (empty when the key is missing).
PickListCombo* MakeCarrierBox(Catalogue& catalogue, QWidget* parent);

// The carrier typed, trimmed, as table bytes. Empty: "Please fill in a source." and nothing; a
// character the tables cannot hold is refused too.
std::optional<std::string> TypedCarrier(PickListCombo* box);
