// The main window's background picture: choosing one, switching back to the plain frame, and
// reading the one to draw at start.
#pragma once

#include <string>

// The picture to tile behind the child windows: the existing file named by ToonBitmap, or "".
std::string BackgroundPictureFile();
// Lets the user pick a picture. When it differs from the stored one it is stored, and the user
// is asked whether to close now so that it shows; returns true for "close now".
bool ChooseBackgroundPicture();
// "&Standard": no picture from the next start on.
void ResetBackgroundPicture();
