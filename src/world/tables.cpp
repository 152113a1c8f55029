// The world tables live here, with every reset they get.
#include "world/tables.h"

#include "creatures/creature.h"
#include "render/assetorder.h"
#include "world/playerrecord.h"

tgrid tiles;
thero hero;
std::vector<std::unique_ptr<tcreature>> creatures;
std::vector<teffect> effects;
std::vector<tbullet> bullets;

int32_t SpeedTimer = 0, BlessingTimer = 0, InvincibilityTimer = 0, InvisibilityTimer = 0;
std::array<int32_t, 4> ReloadTimer{};
std::array<int32_t, 4> FireCooldown{};
int32_t Facing = 1;
bool GuideOn = false;
int32_t DeathFade = 0;
int32_t ExitFade = 0;
int32_t TreasureBonus = 0;
int32_t MuzzleLight = 0;
int32_t ScreenshotNumber = 1;
int32_t MonstersKilled = 0, PotionsFound = 0, TreasuresFound = 0, RoundsFired = 0;

namespace {
tplayer spareplayer;
tplayer* worldplayer = &spareplayer;
} // namespace

tplayer& Player() {
    return *worldplayer;
}
void UsePlayerRecord(tplayer& record) {
    worldplayer = &record;
}

void ClearWorld() {
    creatures.clear();
    effects.clear();
    for (auto& line : tiles) {
        for (ttile& cell : line) {
            // design and floordesign stay: the loader writes them where they matter.
            ttile cleared;
            cleared.block = models::FirstFloor;
            cleared.design = cell.design;
            cleared.floordesign = cell.floordesign;
            cell = cleared;
        }
    }
    hero.height = 0.0f;
    hero.climb = 0.0f;
    Player().Energy = 100;
    DeathFade = 0;
    ExitFade = 0;
}

void ResetAttempt() {
    SpeedTimer = BlessingTimer = InvincibilityTimer = InvisibilityTimer = 0;
    Facing = 1;
    TreasureBonus = 0;
    MonstersKilled = PotionsFound = TreasuresFound = RoundsFired = 0;
}

void ResetLevelEntry() {
    bullets.clear();
    ReloadTimer.fill(0);
    FireCooldown.fill(0);
}

void ResetWorldTables() {
    creatures.clear();
    effects.clear();
    bullets.clear();
    for (auto& line : tiles) line.fill(ttile{});
    hero = thero{};
    ResetAttempt();
    ResetLevelEntry();
    GuideOn = false;
    DeathFade = ExitFade = MuzzleLight = 0;
    ScreenshotNumber = 1;
    spareplayer = tplayer{};
    worldplayer = &spareplayer;
}
