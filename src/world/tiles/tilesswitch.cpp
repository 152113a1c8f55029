// The switch plates: a plate works once and sets off every wall and trap of its channel.
#include "render/assetorder.h"
#include "world/hero/herocommon.h"
#include "world/level/levelloader.h"
#include "world/tiles/tilesupdate.h"
#include "world/tiles/trapsound.h"
#include "world/worldops.h"

namespace {
constexpr float PressedPlate = -0.05f; // the plate stays down
constexpr float RaisedWallStart = -2.0f;
} // namespace

void PressSwitch(int32_t column, int32_t row) {
    ttile* plate = TileAt(column, row);
    if (!plate || plate->channel == 0) return;
    WorldOutput().PlayEffect(sfx::Button, EffectLevel());
    const int32_t channel = plate->channel;
    plate->channel = 0;
    plate->floor = PressedPlate;

    const tcellindex heroCell = HeroCell();
    for (int32_t c = 0; c < GridSize; ++c) {
        for (int32_t r = 0; r < GridSize; ++r) {
            ttile& tile = tiles[c][r];
            if (tile.channel != channel) continue;
            switch (tile.mechanism) {
            case mechanism::SwitchRockTrap:
                PlayAtFactor(RockSound,
                             DistanceFactor(RockSound, c, r, heroCell.column, heroCell.row));
                FireStones(c, r);
                break;
            case mechanism::SwitchArrowTrap:
                PlayAtFactor(ArrowSound,
                             DistanceFactor(ArrowSound, c, r, heroCell.column, heroCell.row));
                FireArrows(c, r);
                break;
            case mechanism::SwitchRaisedWall:
                // Solid at once, then it rises into view in 20 frames.
                tile.block = models::FirstWall;
                tile.design = FindFloorDesign(c, r, models::FirstWall);
                tile.channel = 0;
                tile.mechanism = mechanism::RisingWall;
                tile.solid = 1;
                tile.item = item::None;
                tile.floor = RaisedWallStart;
                break;
            case mechanism::SwitchLoweredWall:
                tile.mechanism = mechanism::LoweringWall;
                break;
            default:
                break; // teleports and everything else keep their channel and state
            }
        }
    }
}
