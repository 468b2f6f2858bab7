// Feedback that every screen gives: the sounds in the program directory and the progress line of
// the status bar.
#pragma once

#include <string>
#include <string_view>

// Plays the named .wav file of the start directory without waiting, but only when it exists and
// sound effects are switched on in cd.ini (Diversen, Geluid); otherwise nothing.
void PlayWave(std::string_view fileName);
// The progress line of the status bar, repainted at once; "" clears it.
void ShowStatus(std::string_view text);
