#include "world/level/levelloader.h"

#include "creatures/creature.h"
#include "render/assetorder.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string creatorname;
tmainlight mainlight;
tfilllight filllight;
std::string levelmusic;

namespace {

constexpr int MapCells = GridSize * GridSize;

// Bounds of a cell's link, period, phase and design. The campaign stays below 200.
constexpr int32_t CellNumberLimit = 1'000'000;
// A light's intensity in percent; ten times full light is already plain white.
constexpr int32_t LightPercentLimit = 1000;

// What each tile type (E) puts on its cell.
struct ttiletype {
    int32_t block;
    float floor;
    int32_t solid;
    int32_t mechanism;
};

constexpr ttiletype TileTypes[] = {
    {NoBlock, PitFloor, 0, mechanism::None},                    // 0 pit
    {models::FirstFloor, 0.0f, 0, mechanism::None},             // 1 floor
    {models::FirstWall, 0.0f, 1, mechanism::None},              // 2 wall
    {models::FirstFloor, 0.0f, 0, mechanism::SpikesHidden},     // 3 spikes
    {models::FirstFloor, 0.0f, 0, mechanism::SwitchPlate},      // 4 switch plate
    {models::FirstWall, 0.0f, 1, mechanism::SwitchLoweredWall}, // 5
    {models::FirstFloor, 0.0f, 0, mechanism::SwitchRaisedWall}, // 6
    {BreakableWallBlock, 0.0f, 1, mechanism::None},             // 7 breakable wall
    {models::FirstFloor, 0.0f, 0, mechanism::CrumblingFloor},   // 8
    {NoBlock, PitFloor, 0, mechanism::ClosingPit},              // 9
    {models::ArrowTrap, 0.0f, 1, mechanism::SwitchArrowTrap},   // 10
    {models::RockTrap, 0.0f, 1, mechanism::SwitchRockTrap},     // 11
    {models::RockTrap, 0.0f, 1, mechanism::TimedRockTrap},      // 12
    {models::ArrowTrap, 0.0f, 1, mechanism::TimedArrowTrap},    // 13
    {models::FirstConveyor, 0.0f, 0, mechanism::None},          // 14 conveyor
    {models::Teleport, 0.0f, 0, mechanism::None},               // 15
    {models::FirstPillar, 0.0f, 1, mechanism::None},            // 16 pillar
    {models::Exit, 0.0f, 0, mechanism::None},                   // 17 exit
};
constexpr int32_t ConveyorType = 14;
constexpr int32_t TileTypeCount = sizeof TileTypes / sizeof TileTypes[0];

// A refused level: the reason, in words for the player or the level's author.
struct trefusal {
    std::string why;
};

// Everything a level file says, read and checked before the world is touched.
struct tlevelimage {
    std::string creator;
    std::string music;
    tmainlight main;
    tfilllight fill;
    int32_t startColumn = 0;
    int32_t startLine = 0;
    struct tcell {
        ttile tile; // every field but floordesign
        int32_t creature = -1;
    };
    std::vector<tcell> cells; // file order: map line by line from the top
};

int32_t Integer(const tnode& parent, const char* name) {
    return parent.Child(name).AsInteger();
}

// Counters, designs and light levels are clamped: every value past these limits behaves in
// play as the limit does (a period of a million frames is a trap that never shoots, a
// design that far out names no model), and the frame loop can count and add on them without
// overflowing.
int32_t IntegerClamped(const tnode& parent, const char* name, int32_t low, int32_t high) {
    return std::clamp(Integer(parent, name), low, high);
}

int32_t IntegerIn(const tnode& parent, const char* name, int32_t low, int32_t high) {
    int32_t value = Integer(parent, name);
    if (value < low || value > high)
        throw trefusal{"<" + std::string(name) + "> holds " + std::to_string(value) + ", outside " +
                       std::to_string(low) + ".." + std::to_string(high)};
    return value;
}

// Decimals take "." as the separator whatever the locale, and must be finite.
float DecimalIn(const tnode& parent, const char* name) {
    const std::string& text = parent.Child(name).text;
    float value = 0.0f;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        throw trefusal{"<" + std::string(name) + "> holds \"" + text + "\", not a decimal"};
    return value;
}

tlevelimage::tcell ReadCell(const tnode& node) {
    tlevelimage::tcell cell;
    ttile& t = cell.tile;
    t.block = NoBlock;
    // A link only pairs cells, so clamping would join links the author kept apart: refused.
    t.channel = IntegerIn(node, "C", -CellNumberLimit, CellNumberLimit);
    t.period = IntegerClamped(node, "F", 0, CellNumberLimit);
    t.param = IntegerClamped(node, "X", -CellNumberLimit, CellNumberLimit);
    t.design = IntegerClamped(node, "O", -CellNumberLimit, CellNumberLimit);
    const int32_t type = Integer(node, "E");
    if (type >= 0 && type < TileTypeCount) {
        const ttiletype& kind = TileTypes[type];
        t.block = kind.block;
        t.floor = kind.floor;
        t.solid = kind.solid;
        t.mechanism = kind.mechanism;
        // A conveyor's direction is its O; X means nothing there.
        if (type == ConveyorType) {
            t.param = t.design;
            t.design = 0;
        }
    }
    cell.creature = Integer(node, "M");
    t.item = ItemFromFile(Integer(node, "I"));
    return cell;
}

tlevelimage ReadLevel(const tnode& root) {
    const tnode& lv = root.Child("Lv");
    const tnode& hd = lv.Child("Hd");
    const tnode& da = lv.Child("Da");
    if (hd.Child("Id").text != hd.Child("Ag").text)
        throw trefusal{"the identifier check failed (Id differs from Ag)"};
    (void)hd.Child("Na"); // required, though only the catalogue reads it

    tlevelimage image;
    image.creator = hd.Child("Cr").text;
    const tnode& li = hd.Child("Li");
    const tnode& pr = li.Child("Pr");
    image.main.R = IntegerIn(pr, "R", 0, 255);
    image.main.G = IntegerIn(pr, "G", 0, 255);
    image.main.B = IntegerIn(pr, "B", 0, 255);
    float x = DecimalIn(pr, "X"), y = DecimalIn(pr, "Y"), z = DecimalIn(pr, "Z");
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f && std::isfinite(length)) {
        image.main.X = x / length;
        image.main.Y = y / length;
        image.main.Z = z / length;
    } else {
        // A light with no direction shines straight down.
        image.main.X = 0.0f;
        image.main.Y = -1.0f;
        image.main.Z = 0.0f;
    }
    image.main.I = static_cast<float>(IntegerClamped(pr, "I", 0, LightPercentLimit)) / 100.0f;
    const tnode& se = li.Child("Se");
    image.fill.R = IntegerIn(se, "R", 0, 255);
    image.fill.G = IntegerIn(se, "G", 0, 255);
    image.fill.B = IntegerIn(se, "B", 0, 255);
    image.fill.I = static_cast<float>(IntegerClamped(se, "I", 0, LightPercentLimit)) / 100.0f;
    image.music = hd.Child("Mu").text;
    image.startColumn = IntegerIn(hd, "SX", 0, GridSize - 1);
    image.startLine = IntegerIn(hd, "SY", 0, GridSize - 1);

    if (da.CountChildren("") < MapCells)
        throw trefusal{"the map has " + std::to_string(da.CountChildren("")) + " cells, not 2500"};
    image.cells.reserve(MapCells);
    for (int k = 0; k < MapCells; ++k) image.cells.push_back(ReadCell(*da.FindChild("", k)));
    return image;
}

void PlaceCreature(int32_t code, int32_t row, int32_t column) {
    switch (code) {
    case creaturecode::Zombie:
        AddZombie(row, column);
        break;
    case creaturecode::Warrior:
        AddWarrior(row, column);
        break;
    case creaturecode::Ghost:
        AddGhost(row, column);
        break;
    case creaturecode::Blob:
        AddBlob(row, column);
        break;
    default:
        break; // any other code places nobody
    }
}

bool StandsOnFloor(int32_t block) {
    return block == models::ArrowTrap || block == models::FirstPillar || block == models::RockTrap;
}

void CommitLevel(const tlevelimage& image) {
    creatorname = image.creator;
    mainlight = image.main;
    filllight = image.fill;
    levelmusic = image.music;
    hero.column = static_cast<float>(image.startColumn);
    hero.row = static_cast<float>(GridSize - 1 - image.startLine);
    creatures.clear();

    // File order: the top map line is world row 49.
    for (int k = 0; k < MapCells; ++k) {
        const int32_t c = k % GridSize, r = GridSize - 1 - k / GridSize;
        const auto& cell = image.cells[k];
        ttile& tile = tiles[c][r];
        const int32_t keptFloorDesign = tile.floordesign;
        tile = cell.tile;
        tile.floordesign = keptFloorDesign;
        // After the tile, so the creature's mark on its cell stays.
        PlaceCreature(cell.creature, r, c);
    }

    // Traps and pillars are drawn over the floor of their nearest floor cell.
    for (int k = 0; k < MapCells; ++k) {
        const int32_t c = k % GridSize, r = GridSize - 1 - k / GridSize;
        if (StandsOnFloor(tiles[c][r].block))
            tiles[c][r].floordesign = FindFloorDesign(c, r, models::FirstFloor);
    }

    if (!image.music.empty() && SafeMusicName(image.music))
        WorldOutput().PlayMusic("snd\\" + image.music, MusicLevel());
}

} // namespace

bool SafeMusicName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool LoadLevel(const tnode& root, std::string* whyRefused) {
    try {
        CommitLevel(ReadLevel(root));
        return true;
    } catch (const trefusal& refusal) {
        if (whyRefused) *whyRefused = refusal.why;
    } catch (const XmlError& error) {
        if (whyRefused) *whyRefused = error.what();
    }
    return false;
}

int32_t FindFloorDesign(int32_t column, int32_t row, int32_t key) {
    auto match = [key](int32_t c, int32_t r) {
        const ttile* cell = TileAt(c, r);
        return cell && cell->block == key;
    };
    for (int32_t d = 1; d < GridSize; ++d) {
        for (int32_t x = column - d + 1; x <= column + d - 1; ++x) {
            if (match(x, row - d)) return tiles[x][row - d].design;
            if (match(x, row + d)) return tiles[x][row + d].design;
        }
        for (int32_t y = row - d; y <= row + d; ++y) {
            if (match(column - d, y)) return tiles[column - d][y].design;
            if (match(column + d, y)) return tiles[column + d][y].design;
        }
    }
    return 0;
}
