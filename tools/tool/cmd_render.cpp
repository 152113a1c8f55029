// tarnhollow-tool render LEVEL OUT.png [--keys SCRIPT] [--frames N] [--seed S] [--size WxH]
//                           [--texture 1024|2048] [--every K] [--players FILE --slot K]
//                           [--replay FILE] [--ghost FILE]
// The run of `play` drawn with the OpenGL device offscreen from the real data folder: the
// last drawn frame is saved as OUT.png, and with --every K also frames 0, K, 2K, ... as
// OUT-<frame>.png, so that a person can see the level being played. The player "TEST" owns
// no gun; --players lets a picture show the hero armed, as in `play`. --replay draws a kept
// run as the game shows one being watched (its keys, player and start; REPLAY and its clock
// in the corner); --ghost draws the hero of a kept run beside the player, as in play.
#include "command.h"
#include "output.h"
#include "playrun.h"

#include "campaign/levels.h"
#include "platform/files.h"
#include "world/draw/overlay.h"
#include "world/loop/gameloop.h"
#include "world/replay/ghost.h"
#include "world/replay/replayplay.h"
#include "world/tables.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* RenderUsage =
    "render LEVEL OUT.png [--keys SCRIPT] [--frames N] [--seed S] [--size WxH] "
    "[--texture 1024|2048] [--every K] [--players FILE --slot K] [--replay FILE] [--ghost FILE]";

// A replay of the level file, or nullopt with the reason.
std::optional<treplay> ReadReplayOf(const std::string& file, const std::string& level,
                                    std::string& why) {
    std::string text, bytes, name, id;
    if (!files::ReadAll(file, text, LargestReplayFile)) {
        why = file + ": cannot be read";
        return std::nullopt;
    }
    auto replay = ParseReplay(text, why);
    if (!replay) {
        why = file + ": " + why;
        return std::nullopt;
    }
    if (!files::ReadAll(level, bytes) || !ReadLevelHeader(level, name, id)) {
        why = level + ": the level file cannot be read";
        return std::nullopt;
    }
    if (!ReplayFitsLevel(*replay, name, id, bytes, why)) {
        why = file + ": " + why;
        return std::nullopt;
    }
    return replay;
}

int RunRender(const std::vector<std::string>& args) {
    if (args.size() < 2 || args[0].starts_with("--") || args[1].starts_with("--"))
        return tool::UsageError(RenderUsage);
    playrun::tsetup setup;
    setup.level = args[0];
    setup.gl = true;
    const std::string out = args[1];
    long every = 0;
    std::string replayFile, ghostFile;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& flag = args[i];
        const bool hasValue = i + 1 < args.size();
        std::string error;
        if (flag == "--size" && hasValue) {
            if (!playrun::ParseSize(args[++i], setup.width, setup.height))
                return tool::UsageError(RenderUsage);
        } else if (flag == "--texture" && hasValue) {
            const std::string& size = args[++i];
            if (size == "1024")
                setup.textureFolder = TextureFolder1024;
            else if (size == "2048")
                setup.textureFolder = TextureFolder2048;
            else
                return tool::UsageError(RenderUsage);
        } else if (flag == "--replay" && hasValue) {
            replayFile = args[++i];
        } else if (flag == "--ghost" && hasValue) {
            ghostFile = args[++i];
        } else if (flag == "--every" && hasValue) {
            const std::string& k = args[++i];
            auto r = std::from_chars(k.data(), k.data() + k.size(), every);
            if (r.ec != std::errc() || r.ptr != k.data() + k.size() || every < 1)
                return tool::UsageError(RenderUsage);
        } else if (!playrun::ParseCommonOption(args, i, setup, error)) {
            if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
            return tool::UsageError(RenderUsage);
        }
    }

    if (setup.players.empty() != (setup.slot == 0)) return tool::UsageError(RenderUsage);

    // OUT.png is named from the caller's folder; the run moves into the game folder.
    const std::string outPath = std::filesystem::absolute(out).string();
    const std::string stem =
        outPath.ends_with(".png") ? outPath.substr(0, outPath.size() - 4) : outPath;

    std::string error;
    std::optional<treplay> replay, ghost;
    if (!replayFile.empty() && !(replay = ReadReplayOf(replayFile, setup.level, error)))
        return tool::Refuse(error);
    if (!ghostFile.empty() && !(ghost = ReadReplayOf(ghostFile, setup.level, error)))
        return tool::Refuse(error);
    if (replay) setup.replay = &*replay;

    playrun::tlevelrun run;
    if (!run.Prepare(setup, error)) return tool::Refuse(error);
    if (ghost) ghostpath = GhostPath(*ghost, run.Document());
    WatchingReplay = replay.has_value();
    bool written = true;
    run.Play([&] {
        const int64_t frame = inlevel.loopstate.frames - 1;
        if (every > 0 && frame % every == 0)
            written =
                playrun::SaveFrame(run.Services(), stem + "-" + std::to_string(frame) + ".png") &&
                written;
    });
    written = playrun::SaveFrame(run.Services(), outPath) && written;
    ghostpath.clear();
    WatchingReplay = false;
    tool::Print(run.Summary());
    if (!written) return tool::Refuse(out + ": the picture could not be written");
    return tool::Ok;
}

tool::Register registerRender({"render", RenderUsage, RunRender});

} // namespace
