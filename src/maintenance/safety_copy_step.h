// The first step of every command that changes the whole catalogue at once: the safety copy,
// with its progress on the screen.
#pragma once

#include <functional>
#include <string>

class Catalogue;
class QProgressBar;
class QWidget;

// Takes the safety copy for the command `what` ("optimize", "renumber", ...), showing "Making a
// safety copy..." in the status line and the percentage in `gauge` (may be null). On failure:
// "error.wav" and a message saying why and that nothing was changed; false then.
bool TakeSafetyCopyShown(const Catalogue& catalogue, const std::string& what, QProgressBar* gauge);

// The percentage bar of the maintenance screens ("Gauge1", bright green), at 0 and hidden (its
// room kept) until the first progress shows it.
QProgressBar* NewGauge(QWidget* parent);

// The engine's progress (done of total) shown as a percentage in `gauge`, repainted at once
// when the figure changes.
std::function<void(int percent)> GaugeShows(QProgressBar* gauge);
