// The main title of a track: the record of hfdat.dat with the track's carrier and number.
#pragma once

class Catalogue;

// Makes the main title of the current track of artdat.dat current in hfdat.dat, in its source
// order; false when the source has none. Throws TableError.
bool SeekTitleOfTrack(Catalogue& catalogue);
