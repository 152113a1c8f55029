#include "world/replay/replayrecorder.h"

#include "engine/random.h"
#include "engine/settings.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

std::vector<int> HeldCodes(const TDInput& input) {
    std::vector<int> codes;
    for (int key = 1; key < input::KeyStateSize; ++key)
        // A screenshot is the player's own business; watching a run must not take any.
        if (key != KeyScreenshot && input.IsKeyDown(key)) codes.push_back(key);
    for (int control = 1; control < dinput::PadControlCount; ++control)
        if (input.IsPadControlOn(control)) codes.push_back(ScriptPadCodeBase + control);
    // A window closed in play leaves the level as Escape does; so does its replay.
    if (input.CloseRequested() && !input.IsKeyDown(KeyEscape))
        codes.insert(codes.begin(), KeyEscape);
    return codes;
}

void treplayrecorder::Begin(TDInput& input, const std::string& game, const std::string& levelId,
                            uint64_t levelHash) {
    replay_ = treplay{};
    replay_.game = game;
    replay_.levelId = levelId;
    replay_.levelHash = levelHash;
    replay_.player = Player();
    replay_.player.Levels.clear();
    replay_.bindings = CurrentBindings();
    replay_.guideOn = inlevel.GuideOn;
    replay_.seed = RandomSeed();
    replay_.frameCounter = inlevel.loopstate.frameCounter;
    last_.clear();
    polls_ = 0;
    input.SetPollObserver([this](const TDInput& in) { OnPoll(in); });
}

void treplayrecorder::OnPoll(const TDInput& input) {
    if (inlevel.loopstate.inFocusPause) return;
    std::vector<int> codes = HeldCodes(input);
    if (polls_ == 0 ? !codes.empty() : codes != last_) replay_.keys.push_back({polls_, codes, {}});
    last_ = std::move(codes);
    ++polls_;
}

treplay treplayrecorder::Finish(TDInput& input, int32_t outcome, int64_t milliseconds) {
    input.SetPollObserver(nullptr);
    const tplayer& p = Player();
    treplayresult& o = replay_.result;
    o.LevelOutcome = outcome;
    o.frames = inlevel.loopstate.frames;
    o.time = milliseconds;
    o.Score = p.Score;
    o.Lives = p.Lives;
    o.Money = p.Money;
    o.MonstersKilled = inlevel.MonstersKilled;
    o.PotionsFound = inlevel.PotionsFound;
    o.TreasuresFound = inlevel.TreasuresFound;
    o.RoundsFired = inlevel.RoundsFired;
    replay_.undrawn = inlevel.loopstate.undrawn;
    replay_.path = inlevel.loopstate.heroPath;
    return std::move(replay_);
}
