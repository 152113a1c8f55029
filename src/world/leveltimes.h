#pragma once
// Reading a level's fastest times (its ".tim" file) into its catalogue entry.
#include "world/levels.h"

#include <string_view>

// All six places become empty ("NORESULT", -1); then, when folder + level.timesfile
// exists, places 1..5 are read from it. Any error ends the reading quietly and keeps the
// places read before it.
void ReadFastestTimes(tlvl& level, std::string_view folder);

// Places 1..5 of `times` from one times file, as above (the caller empties them first).
void ReadTimesFile(std::string_view fileName, tscore (&times)[FastestTimePlaces + 1]);

// Empties all six places.
void ClearFastestTimes(tscore (&times)[FastestTimePlaces + 1]);
