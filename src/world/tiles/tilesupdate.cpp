#include "world/tiles/tilesupdate.h"

#include "render/assetorder.h"
#include "world/hero/herocommon.h"
#include "world/level/levelloader.h"
#include "world/tiles/trapsound.h"
#include "world/worldops.h"

#include <algorithm>

namespace {

constexpr float CrumbleShake = 0.01f;     // tilt added per frame
constexpr float CrumbleShakeLimit = 0.2f; // after 20 frames of shaking it falls
constexpr float CrumbleGravity = 0.05f;
constexpr float WallSpeed = 0.1f;
constexpr float LoweredWallGone = -2.0f;
constexpr float SpikeRise = 0.5f;
constexpr float SpikeSink = 0.1f;
constexpr float SpikesSpring = -0.5f;
constexpr float SpikesHidden = -3.0f;
constexpr int32_t SpikeDamage = 30;

// The loudest each sound gets in this frame; played once after the scan.
struct tframesounds {
    float rock = 0.0f, arrow = 0.0f, belt = 0.0f, spikes = 0.0f;
};

struct tvisit {
    int32_t column, row;
    tcellindex heroCell;
    tframesounds& sounds;

    void Raise(float& loudest, const tdistancesound& sound) const {
        loudest =
            std::max(loudest, DistanceFactor(sound, column, row, heroCell.column, heroCell.row));
    }
    bool HeroHere() const { return heroCell == tcellindex{column, row}; }
};

void Crumbling(ttile& tile, const tvisit& v) {
    if (tile.anim <= 0.0f) return; // resting until the hero's step starts it
    const bool carried = v.HeroHere() && std::fabs(hero.height - tile.floor) < 0.1f;
    tile.anim += CrumbleShake;
    if (tile.anim > CrumbleShakeLimit) tile.fallspeed -= CrumbleGravity;
    if (tile.floor > PitFloor)
        tile.floor += tile.fallspeed;
    else
        tile.block = NoBlock; // the tile has fallen away
    if (carried) {
        hero.height = tile.floor;
        hero.climb = 0.0f;
    }
}

void ClosingPit(ttile& tile, const tvisit& v) {
    if (tile.param <= 0 || v.HeroHere()) return;
    WorldOutput().PlayEffect(sfx::Button, EffectLevel());
    tile.block = models::FirstFloor;
    tile.param = 0;
    tile.mechanism = mechanism::None;
    tile.floor = 0.0f;
}

void LoweringWall(ttile& tile, const tvisit& v) {
    tile.floor -= WallSpeed;
    if (tile.floor >= LoweredWallGone) return;
    tile.block = models::FirstFloor;
    tile.design = FindFloorDesign(v.column, v.row, models::FirstFloor);
    tile.item = item::None;
    tile.channel = 0;
    tile.solid = 0;
    tile.mechanism = mechanism::None;
    tile.floor = 0.0f;
}

void RisingWall(ttile& tile) {
    tile.floor += WallSpeed;
    if (tile.floor >= 0.0f) tile.mechanism = mechanism::None;
}

// A rock trap shoots when its count reaches the period, an arrow trap one frame later.
void TimedRockTrap(ttile& tile, const tvisit& v) {
    if (++tile.param < tile.period) return;
    v.Raise(v.sounds.rock, RockSound);
    FireStones(v.column, v.row);
    tile.param = 0;
}

void TimedArrowTrap(ttile& tile, const tvisit& v) {
    if (++tile.param <= tile.period) return;
    v.Raise(v.sounds.arrow, ArrowSound);
    FireArrows(v.column, v.row);
    tile.param = 0;
}

void HiddenSpikes(ttile& tile, const tvisit& v) {
    tile.anim += SpikeRise;
    if (tile.anim < SpikesSpring) return;
    tile.mechanism = mechanism::SpikesSprung;
    v.Raise(v.sounds.spikes, SpikeSound);
    // A hero in the air jumps over them.
    if (v.HeroHere() && hero.height <= 0.0f) HurtHero(SpikeDamage);
}

void SprungSpikes(ttile& tile) {
    tile.anim -= SpikeSink;
    if (tile.anim < SpikesHidden) tile.mechanism = mechanism::SpikesHidden;
}

} // namespace

void UpdateTiles(int32_t frameCounter) {
    tframesounds sounds;
    const tcellindex heroCell = HeroCell();
    const bool beltFrame = (frameCounter & 1) == 0; // also for a counter kept signed
    for (int32_t c = 0; c < GridSize; ++c) {
        for (int32_t r = 0; r < GridSize; ++r) {
            ttile& tile = tiles[c][r];
            const tvisit visit{c, r, heroCell, sounds};
            // The mechanism as the visit found it: a state entered now waits for next frame.
            switch (tile.mechanism) {
            case mechanism::CrumblingFloor:
                Crumbling(tile, visit);
                break;
            case mechanism::ClosingPit:
                ClosingPit(tile, visit);
                break;
            case mechanism::LoweringWall:
                LoweringWall(tile, visit);
                break;
            case mechanism::RisingWall:
                RisingWall(tile);
                break;
            case mechanism::TimedRockTrap:
                TimedRockTrap(tile, visit);
                break;
            case mechanism::TimedArrowTrap:
                TimedArrowTrap(tile, visit);
                break;
            case mechanism::SpikesHidden:
                HiddenSpikes(tile, visit);
                break;
            case mechanism::SpikesSprung:
                SprungSpikes(tile);
                break;
            default:
                break;
            }
            if (IsConveyor(tile.block) && beltFrame) visit.Raise(sounds.belt, BeltSound);
        }
    }
    PlayAtFactor(RockSound, sounds.rock);
    PlayAtFactor(ArrowSound, sounds.arrow);
    PlayAtFactor(BeltSound, sounds.belt);
    PlayAtFactor(SpikeSound, sounds.spikes);
}
