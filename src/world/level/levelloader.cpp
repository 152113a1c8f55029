#include "world/level/levelloader.h"

#include "level/tiletypes.h"
#include "render/assetorder.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {

// The block each family puts on its cell: the first model of the family.
constexpr int32_t FamilyBlock[] = {
    NoBlock,               // none
    models::FirstFloor,    // floor
    models::FirstWall,     // wall
    BreakableWallBlock,    // breakable wall
    models::ArrowTrap,     // arrow trap
    models::RockTrap,      // rock trap
    models::FirstConveyor, // conveyor
    models::Teleport,      // teleport
    models::FirstPillar,   // pillar
    models::Exit,          // exit
};
static_assert(sizeof FamilyBlock / sizeof FamilyBlock[0] == static_cast<int>(tfamily::Exit) + 1);

// The cell as the world holds it, but for floordesign (and the seen and occupied marks
// that ClearWorld set).
ttile TileOfCell(const tlevelcell& cell) {
    ttile t;
    t.block = NoBlock;
    t.channel = cell.link;
    t.period = cell.period;
    t.param = cell.phase;
    t.design = cell.design;
    if (const ttiletype* type = TileTypeOf(cell.tile)) {
        t.block = FamilyBlock[static_cast<int>(type->family)];
        t.floor = type->pit ? PitFloor : 0.0f;
        t.solid = type->solid ? 1 : 0;
        t.mechanism = type->mechanism;
        // A conveyor's direction is its O; X means nothing there.
        if (type->family == tfamily::Conveyor) {
            t.param = t.design;
            t.design = 0;
        }
    }
    t.item = ItemFromFile(cell.item);
    return t;
}

bool StandsOnFloor(int32_t block) {
    return block == models::ArrowTrap || block == models::FirstPillar || block == models::RockTrap;
}

} // namespace

void FillWorld(const tlevelform& form) {
    inlevel.loaded.creatorname = form.creator;
    inlevel.loaded.mainlight = form.main;
    inlevel.loaded.filllight = form.fill;
    inlevel.loaded.levelmusic = form.music;
    hero.column = static_cast<float>(form.startcolumn);
    hero.row = static_cast<float>(GridSize - 1 - form.startline);
    creatures.clear();

    // File order: the top map line is world row 49.
    for (int k = 0; k < MapCellCount; ++k) {
        const int32_t c = k % GridSize, r = GridSize - 1 - k / GridSize;
        const tlevelcell& cell = form.cells[k];
        ttile& tile = tiles[c][r];
        const int32_t keptFloorDesign = tile.floordesign;
        tile = TileOfCell(cell);
        tile.floordesign = keptFloorDesign;
        // After the tile, so the creature's mark on its cell stays.
        if (const tcreaturekind* kind = CreatureKindOfFileCode(cell.creature))
            SpawnCreature(*kind, 1, r, c);
    }

    // Traps and pillars are drawn over the floor of their nearest floor cell.
    for (int k = 0; k < MapCellCount; ++k) {
        const int32_t c = k % GridSize, r = GridSize - 1 - k / GridSize;
        if (StandsOnFloor(tiles[c][r].block))
            tiles[c][r].floordesign = FindFloorDesign(c, r, models::FirstFloor);
    }

    if (!form.music.empty() && SafeMusicName(form.music))
        WorldOutput().PlayMusic("snd\\" + form.music, MusicLevel());
}

bool SafeMusicName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool LoadLevel(const tnode& root, std::string* whyRefused) {
    tlevelform form;
    if (!ReadLevelForm(root, form, whyRefused)) return false;
    FillWorld(form);
    return true;
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
