#pragma once
// A game window for play tests: stand-in models on a recording device, keys from a script,
// a virtual clock on which (by default) every frame is drawn, and a small level drawn as
// rows of characters (playfield.h). Sounds the world plays are counted.
#include "drawingfixture.h"
#include "playfield.h"

#include "engine/dtimer.h"
#include "platform/message.h"
#include "support/screenrig.h"
#include "world/loop/gameloop.h"

#include <functional>

namespace looptest {

// The virtual clock: one tick is a million counts.
inline constexpr int64_t Tick = 1'000'000;

// The world's sounds counted, its models drawn with the store as the game window's output
// draws them.
struct tloopoutput : playfield::tsounds {
    void DrawModel(int32_t model, float x, float y, float z, float rx, float ry, float rz,
                   float scale) override {
        Models().DrawModel(model, false, x, y, z, rx, ry, rz, scale);
    }
};

class GameLoopTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::map<const gpu::VertexBuffer*, int> modelOf;
    drawing::DrawLog* log = nullptr;
    tloopoutput sounds;
    VirtualCounter clock{Tick * FramesPerSecond};
    ScriptedInput* script = nullptr;
    tplayer player;
    tservices form;
    std::unique_ptr<tnode> leveldoc;
    int32_t LevelOutcome = -1; // what the last Play() returned
    // Ticks the clock moves on each wait for the next tick; more than one makes the loop
    // fall behind, as a slow display would.
    int64_t ticksPerWait = 1;
    // Runs after every frame with the frame's index; false stops the level.
    std::function<bool(int64_t)> onFrame;

    void SetUp() override {
        settings = tsettings{};
        ResetWorldTables();
        ResetScreenLayout();
        ComputeScreenLayout();
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        Randomize(1);

        form.graphics = std::make_unique<TDGraphics>();
        auto device = std::make_unique<drawing::DrawLog>(ScreenWidth, ScreenHeight);
        log = device.get();
        log->modelOf = &modelOf;
        form.graphics->UseDevice(std::move(device), kDepthD24S8);
        SetModelDevice(log, true);
        form.sprites = std::make_unique<td2dsprites>();
        drawing::LoadStandIns(log, *form.sprites, modelOf);
        form.timer = std::make_unique<tdtimer>(&clock);
        form.waitForTick = [this] { clock.Advance(Tick * ticksPerWait); };
        form.inputEnded = [this] { return script && script->Finished(); };
        form.afterFrame = [this] { return !onFrame || onFrame(inlevel.loopstate.frames - 1); };
        Keys("");

        player.Name = "TEST";
        player.Lives = 3;
        player.Energy = 100;
        player.Own[0] = true;
        UsePlayerRecord(player);
    }

    void TearDown() override {
        effects.clear();
        form.Release();
        Models().Clear();
        Textures().Clear();
        ShowMessage = MessageToStderr;
        ResetWorldTables(); // also points the world back at its spare player record
        leveldoc.reset();
    }

    void Keys(const std::string& text) { KeysAndEvents(text, -1, -1); }

    // Keys as above, and the window closed at poll closeAt or losing the focus at poll
    // focusLostAt (negative: never).
    void KeysAndEvents(const std::string& text, long closeAt, long focusLostAt) {
        std::string error;
        auto steps = ParseInputScript(text, error);
        ASSERT_TRUE(steps) << error;
        if (form.input) form.input->Release();
        form.input = std::make_unique<TDInput>();
        auto scripted = std::make_unique<ScriptedInput>(*steps);
        script = scripted.get();
        ASSERT_TRUE(form.input->Init(
            std::make_unique<screenrig::tinput>(std::move(scripted), closeAt, focusLostAt)));
    }

    void Level(const playfield::tmap& map) {
        leveldoc = ParseDocument(testlevel::Document(map.plan));
        ASSERT_TRUE(leveldoc);
    }

    // Plays the level as the screen flow does: the score on entry is the attempts' start.
    void Play() { LevelOutcome = GameLoop(form, *leveldoc); }
};

} // namespace looptest
