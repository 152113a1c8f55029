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

// The map character of each tile type, indexed by E: its row's mapchar (the conveyor's is
// its direction's).
inline constexpr auto TileChars = [] {
    std::array<char, TileKindCount + 1> chars{};
    for (const ttiletype& type : TileTypes) chars[type.code] = type.mapchar;
    return chars;
}();
inline constexpr char ConveyorChars[4] = {'>', '<', 'v', '^'}; // directions 0..3
inline constexpr char OtherConveyorChar = '=';                 // a conveyor with another O
inline constexpr char OtherTileChar = '?';                     // E given in the cell list

// The creature codes the source form names, with the creature table's words
// (creatures/creaturetable.cpp; a test holds them equal). They are the source format's
// vocabulary, kept here so that the kit needs no creature code: a kind without a word is
// written as its number.
struct CreatureWord {
    int code;
    const char* word;
};
inline constexpr CreatureWord CreatureWords[] = {
    {0, "zombie"}, {1, "warrior"}, {2, "ghost"}, {5, "blob"}};

} // namespace levelkit
