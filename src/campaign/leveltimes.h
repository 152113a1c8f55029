#pragma once
// Reading a level's fastest times (its ".tim" file) into its catalogue entry.
#include "campaign/levels.h"

#include <cstddef>
#include <string_view>

// Five places take a few hundred bytes.
inline constexpr size_t LargestTimesFile = size_t{16} << 10;

// The name of a level's times file: id + ".tim" when the Id is a plain file name, else
// "id-" + 16 hexadecimal digits of a hash of the Id + ".tim". A user level sets its Id
// freely, and "../x" or "a/b" must not make the game write outside the level's folder.
std::string TimesFileName(std::string_view id);

// Where a level's times file lives: campaign levels keep theirs in "lvl\" of the user
// folder (the game folder holds only game data then), user levels beside their level file.
std::string TimesPath(const tlvl& level);

// All six places become empty ("NORESULT", -1); then, when TimesPath(level) exists,
// places 1..5 are read from it. Any error ends the reading quietly and keeps the places
// read before it.
void ReadFastestTimes(tlvl& level);

// Places 1..5 of `times` from one times file, as above (the caller empties them first).
void ReadTimesFile(std::string_view fileName, tscore (&times)[FastestTimePlaces + 1]);

// Empties all six places.
void ClearFastestTimes(tscore (&times)[FastestTimePlaces + 1]);
