#include "world/replay/replayplay.h"

#include "engine/random.h"
#include "engine/settings.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

#include <algorithm>

bool ReplayFitsLevel(const treplay& replay, const std::string& levelName,
                     const std::string& levelId, std::string_view levelBytes, std::string& why) {
    if (replay.levelId != levelId) {
        why = "the replay is of another level than \"" + levelName + "\"";
        return false;
    }
    if (replay.levelHash != LevelHash(levelBytes)) {
        why = "the replay was made on another version of the level \"" + levelName + "\"";
        return false;
    }
    return true;
}

void EnterReplayStart(const treplay& replay, tplayer& record) {
    const tplayer& p = replay.player;
    record.Score = p.Score;
    record.Lives = p.Lives;
    record.Energy = p.Energy;
    record.Jump = p.Jump;
    record.Money = p.Money;
    record.Gun = p.Gun;
    record.Own = p.Own;
    record.AmmoCurrent = p.AmmoCurrent;
    record.AmmoAll = p.AmmoAll;
    UseBindings(replay.bindings);
    inlevel.GuideOn = replay.guideOn;
    Randomize(replay.seed);
    inlevel.loopstate.frameCounter = replay.frameCounter;
}

int64_t ReplayFrameLimit(const treplay& replay) {
    return replay.result.LevelOutcome == OutcomeStopped ? replay.result.frames
                                                        : replay.result.frames + 1;
}

std::function<bool()> UndrawnLike(const treplay& replay) {
    return [&undrawn = replay.undrawn] {
        return std::binary_search(undrawn.begin(), undrawn.end(), inlevel.loopstate.frames);
    };
}

treplayresult ResultNow(int32_t outcome, int64_t milliseconds) {
    const tplayer& p = Player();
    return {outcome,
            inlevel.loopstate.frames,
            milliseconds,
            p.Score,
            p.Lives,
            p.Money,
            inlevel.MonstersKilled,
            inlevel.PotionsFound,
            inlevel.TreasuresFound,
            inlevel.RoundsFired};
}

bool SameRun(const treplayresult& a, const treplayresult& b) {
    treplayresult x = a, y = b;
    x.time = y.time = 0;
    return x == y;
}

struct tprogramkeep::tkept {
    tsettings settings;
    bool guideOn;
    uint32_t seed;
    uint16_t frameCounter;
    int32_t screenshotNumber, muzzleLight;
    tplayer* record;
};

tprogramkeep::tprogramkeep()
    : kept_(new tkept{settings, inlevel.GuideOn, RandomSeed(), inlevel.loopstate.frameCounter,
                      inlevel.ScreenshotNumber, inlevel.MuzzleLight, &Player()}) {}

tprogramkeep::~tprogramkeep() {
    settings = kept_->settings;
    inlevel.GuideOn = kept_->guideOn;
    Randomize(kept_->seed);
    inlevel.loopstate.frameCounter = kept_->frameCounter;
    inlevel.ScreenshotNumber = kept_->screenshotNumber;
    inlevel.MuzzleLight = kept_->muzzleLight;
    UsePlayerRecord(*kept_->record);
}
