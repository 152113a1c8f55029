#pragma once
// The readable source form of a level: header lines, the map as 50 rows of characters (top
// line first, as the file lists it), a list of cells whose values differ from what their
// map character and the defaults give, and, for files not written in the compiler's own
// layout, that layout. Any LevelSource survives WriteSource -> ReadSource unchanged.
#include "levelmodel.h"

#include <string>
#include <string_view>

namespace levelkit {

std::string WriteSource(const LevelSource& level);

// False with "line N: reason" for a source that does not describe a level.
bool ReadSource(std::string_view text, LevelSource& level, std::string& error);

// The map character of each tile type, indexed by E (the conveyor's is its direction's).
inline constexpr char TileChars[TileKindCount + 1] = "~.#*oDd%,uarRA>TIX";
inline constexpr char ConveyorChars[4] = {'>', '<', 'v', '^'}; // directions 0..3
inline constexpr char OtherConveyorChar = '=';                 // a conveyor with another O
inline constexpr char OtherTileChar = '?';                     // E given in the cell list

} // namespace levelkit
