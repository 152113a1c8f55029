#include "world/hero/herocells.h"

#include "world/hero/herocommon.h"
#include "world/tiles/tilesupdate.h"

namespace {

constexpr float CrumbleFirstDrop = 0.01f;
constexpr float ConveyorLook = 0.64f; // how far ahead a conveyor checks for a wall
constexpr float TeleportShrink = 0.1f;
constexpr float TeleportSmallest = 0.1f;

// Conveyor directions (the cell's param): the belt's push per frame. Belts along the row
// axis run a little faster than along the column axis.
struct tbelt {
    float column, row;
};
constexpr tbelt Belts[4] = {{0.07f, 0.0f}, {-0.07f, 0.0f}, {0.0f, -0.08f}, {0.0f, 0.08f}};

bool SolidAt(float column, float row) {
    const ttile* tile = TileAt(CellOf(column), CellOf(row));
    return !tile || tile->solid;
}

void Crumble(ttile& tile) {
    if (tile.mechanism != mechanism::CrumblingFloor || tile.anim != 0.0f ||
        hero.height != tile.floor)
        return;
    tile.floor -= CrumbleFirstDrop;
    tile.anim = CrumbleFirstDrop;
    WorldOutput().PlayEffect(sfx::Crack, EffectLevel());
}

void Exit(const ttile& tile) {
    if (tile.block != models::Exit || inlevel.ExitFade != 0) return;
    if (hero.climb != 0.0f && hero.height != 0.0f) return;
    inlevel.herostate.exitReached = true;
    WorldOutput().PlayEffect(sfx::Complete, EffectLevel());
    inlevel.ExitFade = 1;
}

void Conveyor(const ttile& tile) {
    if (!IsConveyor(tile.block) || hero.climb != 0.0f) return;
    if (tile.param < 0 || tile.param > 3) return; // a belt of no known direction stands still
    const tbelt& belt = Belts[tile.param];
    const float lookColumn = belt.column > 0 ? ConveyorLook : belt.column < 0 ? -ConveyorLook : 0;
    const float lookRow = belt.row > 0 ? ConveyorLook : belt.row < 0 ? -ConveyorLook : 0;
    if (SolidAt(hero.column + lookColumn, hero.row + lookRow)) return;
    hero.column += belt.column;
    hero.row += belt.row;
}

void SwitchPlate(const tcellindex& cell, const ttile& tile) {
    if (tile.mechanism == mechanism::SwitchPlate && tile.channel != 0 && hero.height == tile.floor)
        PressSwitch(cell.column, cell.row);
}

// The other teleport of the pair; the last one in row-then-column order wins. None: stay.
void JumpToPartner(const tcellindex& from, int32_t channel) {
    bool found = false;
    tcellindex target;
    for (int32_t r = 0; r < GridSize; ++r)
        for (int32_t c = 0; c < GridSize; ++c)
            if (tcellindex{c, r} != from && tiles[c][r].block == models::Teleport &&
                tiles[c][r].channel == channel) {
                target = {c, r};
                found = true;
            }
    if (!found) return;
    hero.column = static_cast<float>(target.column);
    hero.row = static_cast<float>(target.row);
}

void Teleport(const tcellindex& cell, const ttile& tile) {
    float& scale = inlevel.herostate.teleportScale;
    if (tile.block != models::Teleport) {
        inlevel.herostate.teleported = false;
        scale = 1.0f;
        return;
    }
    if (hero.climb == 0.0f && !inlevel.herostate.teleported) {
        inlevel.herostate.glowing = true;
        if (scale >= 1.0f) WorldOutput().PlayEffect(sfx::Teleport, EffectLevel());
        if (scale <= TeleportSmallest) {
            inlevel.herostate.teleported = true;
            JumpToPartner(cell, tile.channel);
        } else {
            scale -= TeleportShrink;
        }
    } else if (inlevel.herostate.teleported && scale < 1.0f) {
        inlevel.herostate.glowing = true;
        scale += TeleportShrink;
    }
}

} // namespace

void CellEffects() {
    inlevel.herostate.glowing = false;
    const tcellindex cell = inlevel.herostate.cell;
    ttile& tile = TileOf(cell);
    if (tile.mechanism == mechanism::ClosingPit) tile.param = 1;
    Crumble(tile);
    Exit(tile);
    Conveyor(tile);
    SwitchPlate(cell, tile);
    Teleport(cell, tile);
}
