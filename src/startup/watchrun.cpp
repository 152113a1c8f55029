#include "startup/watchrun.h"

#include "campaign/levels.h"
#include "campaign/replays.h"
#include "campaign/screens.h"
#include "engine/log.h"
#include "engine/scriptedinput.h"
#include "engine/settings.h"
#include "level/levelform.h"
#include "platform/files.h"
#include "world/draw/overlay.h"
#include "world/loop/gameloop.h"
#include "world/replay/ghost.h"
#include "world/replay/replayplay.h"
#include "world/tables.h"

#include <cstdio>

namespace {

// The run's keys for the game, while the player's own keyboard is still listened to for
// Esc and the window for its close button.
class twatchinput final : public ScriptedInput {
  public:
    twatchinput(std::vector<InputStep> keys, input::InputSource& player)
        : ScriptedInput(std::move(keys)), player_(player) {}

    bool PlayerEscape() const { return playerEscape_; }

    void Pump() override {
        player_.Pump();
        input::KeyState keys{};
        input::KeyState presses{};
        player_.ReadKeyPresses(presses);
        if (player_.ReadKeyboard(keys))
            playerEscape_ = ((keys[KeyEscape] | presses[KeyEscape]) & input::KeyDownBit) != 0;
        ScriptedInput::Pump();
    }
    void KeepAlive() override { player_.KeepAlive(); }
    bool TakeCloseRequest() override { return player_.TakeCloseRequest(); }

  private:
    input::InputSource& player_;
    bool playerEscape_ = false;
};

std::optional<treplay> ReadRun(const std::string& path, std::string& why) {
    std::string text;
    if (!files::ReadAll(path, text, LargestReplayFile)) {
        why = "cannot be read";
        return std::nullopt;
    }
    return ParseReplay(text, why);
}

} // namespace

bool WatchRun(tservices& s, const tlvl& level, const std::string& replayPath) {
    std::string why, levelBytes;
    auto run = ReadRun(replayPath, why);
    std::unique_ptr<tnode> document;
    if (run && files::ReadAll(level.path, levelBytes, LargestLevelFile) &&
        ReplayFitsLevel(*run, level.name, level.id, levelBytes, why)) {
        try {
            document = LoadHeaderedDocument(level.path, LargestLevelFile);
        } catch (const XmlError& e) {
            why = e.what();
        }
    }
    if (!document) {
        WriteLog(replayPath + " is not shown: " + why);
        return false;
    }

    tprogramkeep keep; // the settings, the guide, the random state, the player's record
    tplayer record = run->player;
    UsePlayerRecord(record);
    EnterReplayStart(*run, record);
    ghostpath.clear();

    // The player's own source comes out and goes on being listened to through the run's.
    std::unique_ptr<input::InputSource> own = s.input->SwapSource(nullptr);
    auto watch = std::make_unique<twatchinput>(run->keys, *own);
    twatchinput* keys = watch.get();
    s.input->SwapSource(std::move(watch));

    const auto afterFrame = s.afterFrame;
    const auto inputEnded = s.inputEnded;
    const int64_t limit = ReplayFrameLimit(*run);
    s.afterFrame = [&] {
        if (afterFrame && !afterFrame()) return false;
        return !keys->PlayerEscape() && inlevel.loopstate.frames < limit;
    };
    s.inputEnded = [&] { return keys->Exhausted() || (inputEnded && inputEnded()); };
    s.frameUndrawn = UndrawnLike(*run);
    WatchingReplay = true;
    CurrentScreen = "watch";
    GameLoop(s, *document);
    WatchingReplay = false;
    s.frameUndrawn = nullptr;
    s.inputEnded = inputEnded;
    s.afterFrame = afterFrame;
    s.input->SwapSource(std::move(own));
    // The menu must not see the Esc that ended the run.
    s.input->WaitKeyReleased(KeyEscape);
    return true;
}
