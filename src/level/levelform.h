#pragma once
// A level as its file holds it, read with the game's rules: the properties of the header
// and, for each of the 2500 map cells, its seven values (tile type, creature, item, link,
// period, phase, design) as numbers, before anything is turned into world cells. The game's
// loader reads a document into this record and then fills the world from it; the level
// kit reads its own text form into it for the completability check.
#include "engine/xmlparser.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int MapSize = 50;
inline constexpr int MapCellCount = MapSize * MapSize;

// The largest level file the game reads: the biggest campaign level takes 175 KB, and 2500
// cells with every value at its longest about 350 KB.
inline constexpr size_t LargestLevelFile = size_t{2} << 20;

// Level Ids as the editor and the level kit make them: digits only (the campaign's and the
// editor's have 23). An Id names the level's times file and is stored in the players'
// lists of completed levels, so nothing else is accepted.
inline constexpr size_t LongestLevelId = 32;
bool IsLevelId(std::string_view id);

// The header values, in the order of the placeholders of a file layout.
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

struct tmainlight {
    int32_t R = 255, G = 255, B = 255;
    float X = 0.0f, Y = -1.0f, Z = 0.0f; // unit direction the light shines along
    float I = 1.0f;                      // intensity, the file's percent / 100
};

struct tfilllight {
    int32_t R = 0, G = 0, B = 0;
    float I = 0.0f;
};

struct tlevelcell {
    int32_t tile = -1;     // E: a row of TileTypes, or a code no row has
    int32_t creature = -1; // M: a creature table's file code, or nobody
    int32_t item = -1;     // I: a row of FileItems, or none
    int32_t link = 0;      // C
    int32_t period = 100;  // F
    int32_t phase = 0;     // X
    int32_t design = 0;    // O (a conveyor's direction)
    bool operator==(const tlevelcell&) const = default;
};

struct tlevelform {
    std::string name, id, creator, music;
    tmainlight main;
    tfilllight fill;
    int32_t startcolumn = 0;
    int32_t startline = 0; // map line, 0 at the top
    // File order: map line by line from the top, each line from column 0.
    std::array<tlevelcell, MapCellCount> cells;
};

// Where the reader finds the text of each value. Either lookup raises the reader's error
// (XmlError) for an element that is not there.
class tlevelvalues {
  public:
    virtual ~tlevelvalues() = default;
    virtual const std::string& Header(HeaderKey key) const = 0;
    virtual int CellCount() const = 0;
    virtual const std::string& Cell(int index, CellKey key) const = 0;
};

// Reads a level with the game's rules. A level the game refuses (Id and Ag differ, an element
// missing, fewer than 2500 map cells, a number that does not convert or lies out of range)
// answers false with the reason in *whyRefused when given. Counters, designs and light
// levels past their limits are clamped.
bool ReadLevelForm(const tlevelvalues& values, tlevelform& form, std::string* whyRefused);
// The same from a parsed level document.
bool ReadLevelForm(const tnode& root, tlevelform& form, std::string* whyRefused);
