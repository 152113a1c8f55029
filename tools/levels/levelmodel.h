#pragma once
// A level as its file holds it: every value kept as the exact text of its element, so that a
// level read from any file can be written back byte for byte. The source form, the compiler
// and the editor work on this record; the completability check and the map read it as the
// game does (FormOf), into the level form the game's loader fills the world from.
#include "level/levelform.h"
#include "level/tiletypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace levelkit {

using ::MapSize;
inline constexpr int CellCount = MapCellCount;

// The header and cell value names, and the tile types, are the level form's.
using ::CellElementNames;
using ::CellKey;
using ::HeaderField;
using ::HeaderFields;
using ::HeaderKey;
using enum ::CellKey;
using enum ::HeaderKey;

// The code of the tile type of that name; a name no row has does not compile.
consteval int TileCode(std::string_view name) {
    for (const ttiletype& type : TileTypes)
        if (name == type.name) return type.code;
    throw "no tile type of that name";
}

// Tile types by name, for code that asks about one kind of tile.
using Tile = int;
inline constexpr int TPit = TileCode("pit");
inline constexpr int TFloor = TileCode("floor");
inline constexpr int TWall = TileCode("wall");
inline constexpr int TSpikes = TileCode("spikes");
inline constexpr int TPlate = TileCode("plate");
inline constexpr int TLoweredWall = TileCode("lowering-wall");
inline constexpr int TRaisedWall = TileCode("raising-wall");
inline constexpr int TBreakable = TileCode("breakable-wall");
inline constexpr int TCrumbling = TileCode("crumbling-floor");
inline constexpr int TClosingPit = TileCode("closing-pit");
inline constexpr int TSwitchArrowTrap = TileCode("arrow-trap");
inline constexpr int TSwitchRockTrap = TileCode("rock-trap");
inline constexpr int TTimedRockTrap = TileCode("timed-rock-trap");
inline constexpr int TTimedArrowTrap = TileCode("timed-arrow-trap");
inline constexpr int TConveyor = TileCode("conveyor");
inline constexpr int TTeleport = TileCode("teleport");
inline constexpr int TPillar = TileCode("pillar");
inline constexpr int TExit = TileCode("exit");
inline constexpr int TileKindCount = TileTypeCount;

// How the template of a file's document is cut: everything before the map cells, one
// template per cell, everything after; plus the line ends around the scrambled line.
struct Layout {
    std::string head;
    std::array<std::string, CellCount> cells;
    std::string tail;
    std::string headerLineEnd = "\r\n"; // between the plain line and the scrambled one
    std::string fileEnd = "\r\n";       // after the scrambled line
    bool operator==(const Layout&) const = default;
};

// The layout the compiler writes when the source names none.
const Layout& StandardLayout();

struct LevelSource {
    std::array<std::string, HeaderKeyCount> header;
    // Cells in file order: index = map line * 50 + column, map line 0 being the top line.
    std::array<std::array<std::string, CellKeyCount>, CellCount> cells;
    Layout layout = StandardLayout();

    const std::string& Cell(int column, int line, CellKey key) const {
        return cells[line * MapSize + column][key];
    }
};

// A value's text as the game converts it: a signed 32-bit decimal with nothing around it.
std::optional<int32_t> IntegerOf(std::string_view text);

// Tile type of a cell, or -1 when E does not convert.
int TileOf(const LevelSource& level, int index);

// The level read with the game's own rules; false with the game's reason when the game
// would refuse it.
bool FormOf(const LevelSource& level, tlevelform& form, std::string* whyRefused = nullptr);

} // namespace levelkit
