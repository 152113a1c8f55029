// What one frame of play costs the processor: a simulation step on the busiest campaign
// level (the frame drawn by nobody, as when the loop is behind), and a frame drawn at
// 1024 x 768 with the OpenGL device offscreen.
#include "playrun.h"

#include "campaign/levels.h"
#include "engine/xmlparser.h"
#include "world/level/levelloader.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/tables.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string GameFolder() {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    return std::filesystem::absolute(game ? game : TARNHOLLOW_GAME_DIR).string();
}

// The campaign level with the most creatures and timed traps.
std::string BusiestLevel() {
    std::string busiest;
    size_t most = 0;
    for (int number = 1; number <= CampaignLevelCount; ++number) {
        const std::string path =
            GameFolder() + "/lvl/" + (number < 10 ? "0" : "") + std::to_string(number) + ".dat";
        std::unique_ptr<tnode> doc;
        try {
            doc = LoadHeaderedDocument(path);
        } catch (const XmlError&) {
            continue;
        }
        ClearWorld();
        if (!doc || !LoadLevel(*doc)) continue;
        size_t busy = creatures.size();
        for (const auto& line : tiles)
            for (const ttile& cell : line)
                busy += cell.mechanism == mechanism::TimedRockTrap ||
                        cell.mechanism == mechanism::TimedArrowTrap;
        if (busy > most) {
            most = busy;
            busiest = path;
        }
    }
    ResetWorldTables();
    return busiest;
}

bool Prepare(benchmark::State& state, playrun::tlevelrun& run, bool gl, const std::string& level) {
    playrun::tsetup setup;
    setup.level = level;
    setup.data = GameFolder();
    setup.gl = gl;
    std::string error;
    if (level.empty() || !run.Prepare(setup, error)) {
        state.SkipWithError(("cannot play: " + error).c_str());
        return false;
    }
    inlevel.loopstate.startScore = Player().Score;
    inlevel.loopstate.level = &run.Document();
    ResetLevelEntry();
    return StartAttempt(run.Services());
}

void SimulationStep(benchmark::State& state) {
    static const std::string level = BusiestLevel();
    auto behind = std::make_unique<VirtualCounter>(1'000'000); // outlives the run's timer
    playrun::tlevelrun run;
    if (!Prepare(state, run, false, level)) return;
    tservices& form = run.Services();
    // A clock far ahead: every tick is already due, so no frame is drawn or waited for.
    form.waitForTick = nullptr;
    form.timer = std::make_unique<tdtimer>(behind.get());
    form.timer->Restart();
    behind->Advance(int64_t{1} << 50);
    for (auto _ : state) {
        if (!PlayFrame(form)) {
            state.PauseTiming();
            StartAttempt(form);
            form.timer->Restart();
            behind->Advance(int64_t{1} << 50);
            state.ResumeTiming();
        }
    }
    state.SetLabel(std::filesystem::path(level).filename().string() + ", " +
                   std::to_string(creatures.size()) + " creatures");
}
BENCHMARK(SimulationStep)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void DrawnFrame(benchmark::State& state) {
    static const std::string level = BusiestLevel();
    playrun::tlevelrun run;
    if (!Prepare(state, run, true, level)) return;
    tservices& form = run.Services();
    for (int i = 0; i < 20; ++i) PlayFrame(form); // the hero has looked around
    // The CPU time of every thread counts: a software rasteriser draws on threads of its own.
    for (auto _ : state) DrawFrame(form);
}
BENCHMARK(DrawnFrame)
    ->MeasureProcessCPUTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
