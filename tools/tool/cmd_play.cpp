// tarnhollow-tool play LEVEL [--keys SCRIPT] [--frames N] [--seed S] [--players FILE --slot K]
//                         [--display-hz N] [--trace] [--trace-draw] [--data DIR]
// Plays the level headless through the game loop: a device that draws nothing, silent sound, a
// virtual clock on which every frame is drawn. With --trace one JSON line per frame; at the
// end always one line with the outcome and the counters (LevelOutcome -1: the run stopped
// at its frame limit before the level ended). Script frames count polls of the input, so a
// pause or the wait for Escape to be let go moves the script on without a game frame. With
// --display-hz the clock also has N display refreshes a second, each one drawn between the
// steps; --trace-draw prints one JSON line per picture drawn.
#include "command.h"
#include "output.h"
#include "playrun.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* PlayUsage =
    "play LEVEL [--keys SCRIPT] [--frames N] [--seed S] [--players FILE --slot K] "
    "[--display-hz N] [--trace] [--trace-draw] [--data DIR]";

int RunPlay(const std::vector<std::string>& args) {
    if (args.empty() || args[0].starts_with("--")) return tool::UsageError(PlayUsage);
    playrun::tsetup setup;
    setup.level = args[0];
    bool trace = false, traceDraw = false;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string error;
        if (args[i] == "--trace") {
            trace = true;
        } else if (args[i] == "--trace-draw") {
            traceDraw = true;
        } else if (args[i] == "--data" && i + 1 < args.size()) {
            setup.data = args[++i];
        } else if (!playrun::ParseCommonOption(args, i, setup, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return tool::UsageError(PlayUsage);
        }
    }
    if (setup.players.empty() != (setup.slot == 0)) return tool::UsageError(PlayUsage);

    playrun::tlevelrun run;
    std::string error;
    if (!run.Prepare(setup, error)) return tool::Refuse(error);
    if (traceDraw) run.Services().afterDraw = [] { tool::Print(playrun::DrawTraceLine()); };
    run.Play([trace] {
        if (trace) tool::Print(playrun::tlevelrun::TraceLine());
    });
    tool::Print(run.Summary());
    return tool::Ok;
}

tool::Register registerPlay({"play", PlayUsage, RunPlay});

} // namespace
