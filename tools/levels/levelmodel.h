#pragma once
// A level as its file holds it: every value kept as the exact text of its element, so that a
// level read from any file can be written back byte for byte. The source form, the compiler
// and the completability check all work on this one record.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace levelkit {

inline constexpr int MapSize = 50;
inline constexpr int CellCount = MapSize * MapSize;

// The header values, in the order of the placeholders of the layout.
enum HeaderKey {
    HName,
    HId,
    HAg,
    HCreator,
    HMusic,
    HStartX,
    HStartY,
    HMainR,
    HMainG,
    HMainB,
    HMainX,
    HMainY,
    HMainZ,
    HMainI,
    HFillR,
    HFillG,
    HFillB,
    HFillI,
    HeaderKeyCount
};

struct HeaderField {
    const char* placeholder; // name inside "{...}" in a layout template
    const char* path[5];     // element path below Lv, nullptr-terminated
};

inline constexpr HeaderField HeaderFields[HeaderKeyCount] = {
    {"Na", {"Hd", "Na"}},
    {"Id", {"Hd", "Id"}},
    {"Ag", {"Hd", "Ag"}},
    {"Cr", {"Hd", "Cr"}},
    {"Mu", {"Hd", "Mu"}},
    {"SX", {"Hd", "SX"}},
    {"SY", {"Hd", "SY"}},
    {"PrR", {"Hd", "Li", "Pr", "R"}},
    {"PrG", {"Hd", "Li", "Pr", "G"}},
    {"PrB", {"Hd", "Li", "Pr", "B"}},
    {"PrX", {"Hd", "Li", "Pr", "X"}},
    {"PrY", {"Hd", "Li", "Pr", "Y"}},
    {"PrZ", {"Hd", "Li", "Pr", "Z"}},
    {"PrI", {"Hd", "Li", "Pr", "I"}},
    {"SeR", {"Hd", "Li", "Se", "R"}},
    {"SeG", {"Hd", "Li", "Se", "G"}},
    {"SeB", {"Hd", "Li", "Se", "B"}},
    {"SeI", {"Hd", "Li", "Se", "I"}},
};

// The seven values of a map cell, in the order of their element names "EMICFXO".
enum CellKey { KTile, KCreature, KItem, KLink, KPeriod, KPhase, KDesign, CellKeyCount };
inline constexpr const char* CellElementNames[CellKeyCount] = {"E", "M", "I", "C", "F", "X", "O"};

// Tile types (E) the game knows.
enum Tile {
    TPit = 0,
    TFloor,
    TWall,
    TSpikes,
    TPlate,
    TLoweredWall,
    TRaisedWall,
    TBreakable,
    TCrumbling,
    TClosingPit,
    TSwitchArrowTrap,
    TSwitchRockTrap,
    TTimedRockTrap,
    TTimedArrowTrap,
    TConveyor,
    TTeleport,
    TPillar,
    TExit,
    TileKindCount
};

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

} // namespace levelkit
