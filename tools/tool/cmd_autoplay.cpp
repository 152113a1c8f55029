// tarnhollow-tool autoplay LEVEL [--players FILE --slot K] [--seed S] [--trace]
//                             [--keys-out SCRIPT] [--frames N] [--data DIR]
// The autopilot plays the level through the game loop as `play` runs it, and prints play's
// final line. --keys-out writes the keys it held as a key script, which `play --keys`
// plays again to the same end; --trace prints the pilot's decision every frame.
#include "autopilot/pilot.h"
#include "autopilot/pilotinput.h"
#include "command.h"
#include "output.h"
#include "playrun.h"

#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* AutoplayUsage =
    "autoplay LEVEL [--players FILE --slot K] [--seed S] [--trace] [--keys-out SCRIPT] "
    "[--frames N] [--data DIR]";

int RunAutoplay(const std::vector<std::string>& args) {
    if (args.empty() || args[0].starts_with("--")) return tool::UsageError(AutoplayUsage);
    playrun::tsetup setup;
    setup.level = args[0];
    bool trace = false;
    std::string keysOut;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string error;
        if (args[i] == "--trace") {
            trace = true;
        } else if (args[i] == "--data" && i + 1 < args.size()) {
            setup.data = args[++i];
        } else if (args[i] == "--keys-out" && i + 1 < args.size()) {
            // Absolute: the run moves into the game folder.
            keysOut = std::filesystem::absolute(args[++i]).string();
        } else if (args[i] == "--keys" || !playrun::ParseCommonOption(args, i, setup, error)) {
            if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
            return tool::UsageError(AutoplayUsage);
        }
    }
    if (setup.players.empty() != (setup.slot == 0)) return tool::UsageError(AutoplayUsage);

    autopilot::tpilot pilot(trace);
    autopilot::tpilotinput* hands = nullptr;
    setup.makeInput = [&]() -> std::unique_ptr<input::InputSource> {
        auto made = std::make_unique<autopilot::tpilotinput>([&pilot] { return pilot.Decide(); });
        hands = made.get();
        return made;
    };
    playrun::tlevelrun run;
    std::string error;
    if (!run.Prepare(setup, error)) return tool::Refuse(error);
    run.Play([&] {
        if (!trace) return;
        tool::Print(pilot.TraceText());
        tool::Print(playrun::tlevelrun::TraceLine());
    });
    if (!keysOut.empty() && hands && !files::WriteSafely(keysOut, hands->ScriptText()))
        return tool::Refuse(keysOut + ": the key script cannot be written");
    tool::Print(run.Summary());
    return tool::Ok;
}

tool::Register registerAutoplay({"autoplay", AutoplayUsage, RunAutoplay});

} // namespace
