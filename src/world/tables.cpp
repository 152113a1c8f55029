// The world tables live here, with every reset they get.
#include "world/tables.h"

#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "world/creaturebase.h"
#include "world/playerrecord.h"

tgrid tiles;
thero hero;
std::vector<std::unique_ptr<tcreature>> creatures;
std::vector<teffect> effects;
std::vector<tbullet> bullets;

tlevelstate inlevel;

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
    inlevel.DeathFade = 0;
    inlevel.ExitFade = 0;
}

void ResetAttempt() {
    inlevel.SpeedTimer = inlevel.BlessingTimer = 0;
    inlevel.InvincibilityTimer = inlevel.InvisibilityTimer = 0;
    inlevel.Facing = 1;
    inlevel.TreasureBonus = 0;
    inlevel.MonstersKilled = inlevel.PotionsFound = 0;
    inlevel.TreasuresFound = inlevel.RoundsFired = 0;

    therostate& step = inlevel.herostate;
    step.direction = 0;
    step.poseBlend = 0.0f;
    step.poseSnapshot = -1;
    step.teleportScale = 1.0f;
    // A hero who died on a teleport target starts the new world free to be carried again.
    step.teleported = false;
    step.glowing = false;
    step.exitReached = false;

    inlevel.overlay.IntroSlide = static_cast<float>(ScreenHeight / 3);
    inlevel.overlay.IntroSlideSpeed = 4.0f;
}

void ResetLevelEntry() {
    bullets.clear();
    inlevel.ReloadTimer.fill(0);
    inlevel.FireCooldown.fill(0);
    inlevel.gunstate = tgunstate{};

    therostate& step = inlevel.herostate;
    step.lastStanding = {};
    step.walkPhase = 0.0f;
    step.atEdge = false;
    step.EdgeWobble = 0;

    tloopstate& loop = inlevel.loopstate;
    loop.guideLatch = false;
    loop.frames = 0;
    loop.attempt = 0;
    loop.stopped = false;
    loop.focusPause = false;
    loop.inFocusPause = false;
    loop.undrawn.clear();
    loop.heroPath.clear();
}

void ResetWorldTables() {
    creatures.clear();
    effects.clear();
    bullets.clear();
    for (auto& line : tiles) line.fill(ttile{});
    hero = thero{};
    inlevel = tlevelstate{}; // every field and sub-record, whichever reset clears it in play
    spareplayer = tplayer{};
    worldplayer = &spareplayer;
}
