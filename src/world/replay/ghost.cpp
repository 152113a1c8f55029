#include "world/replay/ghost.h"

#include "engine/dtimer.h"
#include "engine/scriptedinput.h"
#include "platform/gpu/null_device.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "world/draw/inbetween.h"
#include "world/loop/gameloop.h"
#include "world/replay/replayplay.h"
#include "world/tables.h"
#include "world/worldoutput.h"

std::vector<theroplace> ghostpath;

std::vector<theroplace> GhostPath(const treplay& replay, const tnode& level) {
    // The game writes down the path of the runs it keeps: nothing to play again.
    if (static_cast<int64_t>(replay.path.size()) == replay.result.frames) return replay.path;
    tprogramkeep keep;
    tworldoutput* output = &WorldOutput();
    UseWorldOutput(nullptr); // the ghost's run is silent

    tplayer record = replay.player;
    UsePlayerRecord(record);
    EnterReplayStart(replay, record);

    // Drawing changes the world here and there (a zombie turns to the hero as he is drawn),
    // so the run draws every frame its recording drew, on a device that draws nothing; the
    // models are pointed at it meanwhile. The clock is virtual and moves a tick at every
    // wait, so no frame waits for real time.
    tservices services;
    services.graphics = std::make_unique<TDGraphics>();
    services.graphics->UseDevice(std::make_unique<gpu::NullDevice>(ScreenWidth, ScreenHeight),
                                 kDepthD24S8);
    services.sprites = std::make_unique<td2dsprites>(); // no pictures: the overlay is not seen
    services.sprites->CreateSprites(services.graphics->Device());
    gpu::Device* const modelDevice = Models().Device();
    SetModelDevice(services.graphics->Device(), true);
    VirtualCounter clock{FramesPerSecond};
    services.input = std::make_unique<TDInput>();
    auto script = std::make_unique<ScriptedInput>(replay.keys);
    const ScriptedInput* keys = script.get();
    std::vector<theroplace> path;
    if (services.input->Init(std::move(script))) {
        services.timer = std::make_unique<tdtimer>(&clock);
        services.waitForTick = [&clock] { clock.Advance(1); };
        services.inputEnded = [keys] { return keys->Finished(); };
        services.frameUndrawn = UndrawnLike(replay);
        path.reserve(static_cast<size_t>(replay.result.frames));
        services.afterFrame = [&] {
            path.push_back({hero.column, hero.height, hero.row, inlevel.Facing});
            return inlevel.loopstate.frames < replay.result.frames;
        };
        GameLoop(services, level);
    }
    services.Release();
    SetModelDevice(modelDevice, true);
    UseWorldOutput(output);
    return path;
}

std::optional<theroplace> GhostNow(float fraction) {
    const auto frame = static_cast<size_t>(inlevel.loopstate.frames);
    if (frame >= ghostpath.size()) return std::nullopt;
    theroplace now = ghostpath[frame];
    if (frame == 0 || fraction >= 1.0f) return now;
    const theroplace& was = ghostpath[frame - 1];
    if (FarApart(was.column, was.row, now.column, now.row)) return now;
    now.column = Between(was.column, now.column, fraction);
    now.height = Between(was.height, now.height, fraction);
    now.row = Between(was.row, now.row, fraction);
    return now;
}
