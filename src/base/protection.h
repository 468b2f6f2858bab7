// The two checks every screen makes before changing the catalogue while adding and modifying may
// be locked with the password (cd.ini Diversen, TrackBvAan).
#pragma once

// True when the lock is off; screens enable their editing buttons by it.
bool NietBeveiligd();
// False when the lock is off. When it is on: the error sound, the message "You are not
// authorized to use this option." and true; the caller abandons its action.
bool ChkBeveiliging();
