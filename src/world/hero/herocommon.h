#pragma once
// Small helpers the pieces of the hero step share.
#include "render/assetorder.h"
#include "world/tables.h"
#include "world/worldoutput.h"

#include <algorithm>
#include <cmath>

// The cell under the hero's position. Inside the grid whenever the hero has been clamped;
// the bound keeps a position set from outside (a level start, a test) from reading past it.
inline tcellindex HeroCell() {
    return {std::clamp(CellOf(hero.column), 0, GridSize - 1),
            std::clamp(CellOf(hero.row), 0, GridSize - 1)};
}

inline ttile& TileOf(const tcellindex& cell) {
    return tiles[cell.column][cell.row];
}

// The tile of the cell taken at the start of the frame.
inline ttile& HeroTile() {
    return TileOf(inlevel.herostate.cell);
}

// Standing: within 0.1 of the floor of the cell taken at the start of the frame.
inline bool HeroStanding() {
    return std::fabs(hero.height - HeroTile().floor) < 0.1f;
}

// The footstep of jumps, landings and walking; the second sound on the later floor designs.
inline void PlayFootstep() {
    const int32_t step = HeroTile().design > 7 ? sfx::FirstStep + 1 : sfx::FirstStep;
    WorldOutput().PlayEffect(step, EffectLevel());
}

inline bool IsConveyor(int32_t block) {
    return block == models::FirstConveyor;
}
