// tarnhollow-tool replay FILE... [--data DIR] [--level LEVEL] [--trace] [--ghost]
// Plays a replay headless, as `play` plays a key script, and prints the play tool's final
// line. The level is found by its Id among the game folder's levels unless given. A replay
// of another version of the level, or one that does not end as it says it ended, is refused
// (exit 1): it would show a run that never happened. With --ghost the ghost's path is worked
// out first, as the game does when the level starts, and a line tells its steps and the
// milliseconds it took. Several files are played one after the other in one run (the par
// runs of the whole campaign in seconds); each final line then starts with its "replay"
// file, a refused one is told on stderr, and the exit is 1 when any was refused.
#include "command.h"
#include "json.h"
#include "output.h"
#include "playrun.h"

#include "campaign/levels.h"
#include "platform/files.h"
#include "startup/userfolder.h"
#include "world/replay/ghost.h"
#include "world/replay/replayplay.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* ReplayUsage =
    "replay FILE... [--data DIR] [--level LEVEL] [--trace] [--ghost]";

// The level files of the game folder's catalogue by their Ids.
std::map<std::string, std::string> LevelsById(const std::string& data) {
    std::error_code ignored;
    const auto here = std::filesystem::current_path(ignored);
    std::map<std::string, std::string> found;
    if (!files::SetCurrentFolder(data)) return found;
    BuildLevelCatalogue();
    for (const tlvl& level : levels)
        found[level.id] = (std::filesystem::path(data) / files::NativePath(level.path)).string();
    ResetLevelCatalogue();
    std::filesystem::current_path(here, ignored);
    return found;
}

struct toptions {
    std::string data, level;
    bool trace = false, ghost = false, several = false;
};

// Plays one replay file; false with the reason when it is refused.
bool PlayReplay(const std::string& file, const toptions& options,
                const std::map<std::string, std::string>& levelsById, std::string& why) {
    std::string text;
    if (!files::ReadAll(file, text, LargestReplayFile)) {
        why = "cannot be read";
        return false;
    }
    auto replay = ParseReplay(text, why);
    if (!replay) return false;

    playrun::tsetup setup;
    setup.data = options.data;
    setup.level = options.level;
    if (setup.level.empty()) {
        const auto level = levelsById.find(replay->levelId);
        if (level == levelsById.end()) {
            why = "no level with the Id " + replay->levelId + " in " + options.data;
            return false;
        }
        setup.level = level->second;
    }
    std::string bytes, name, id;
    if (!files::ReadAll(setup.level, bytes) || !ReadLevelHeader(setup.level, name, id)) {
        why = setup.level + ": the level file cannot be read";
        return false;
    }
    if (!ReplayFitsLevel(*replay, name, id, bytes, why)) return false;

    setup.replay = &*replay;
    playrun::tlevelrun run;
    if (!run.Prepare(setup, why)) return false;
    if (options.ghost) {
        // As the game does at the level's start: the kept run read, then his path.
        const auto start = std::chrono::steady_clock::now();
        const auto kept = ParseReplay(text, why);
        const auto path = GhostPath(*kept, run.Document());
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        tool::Print(tool::JsonObject()
                        .Add("ghostSteps", json::Number(static_cast<int64_t>(path.size())))
                        .Add("ghostMilliseconds", json::Number(took.count()))
                        .Add("ghostWrittenDown", json::Bool(!kept->path.empty()))
                        .Text());
    }
    run.Play([&options] {
        if (options.trace) tool::Print(playrun::tlevelrun::TraceLine());
    });
    const std::string summary = run.Summary();
    tool::Print(options.several ? "{\"replay\": " + json::Quote(file) + ", " + summary.substr(1)
                                : summary);
    if (!SameRun(ResultNow(run.Outcome(), 0), replay->result)) {
        why = "the run did not end as the replay says it ended";
        return false;
    }
    return true;
}

int RunReplay(const std::vector<std::string>& args) {
    toptions options;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--trace")
            options.trace = true;
        else if (args[i] == "--ghost")
            options.ghost = true;
        else if (args[i] == "--data" && i + 1 < args.size())
            options.data = args[++i];
        else if (args[i] == "--level" && i + 1 < args.size())
            options.level = args[++i];
        else if (args[i].starts_with("--"))
            return tool::UsageError(ReplayUsage);
        else // a run moves into the game folder: the next file is found from here
            files.push_back(std::filesystem::absolute(args[i]).string());
    }
    // One level file fits one replay.
    if (files.empty() || (files.size() > 1 && !options.level.empty()))
        return tool::UsageError(ReplayUsage);
    if (options.data.empty()) options.data = GameFolderOf(files::ProgramFolder());
    options.data = std::filesystem::absolute(options.data).string();
    if (!options.level.empty()) options.level = std::filesystem::absolute(options.level).string();
    options.several = files.size() > 1;

    const auto levelsById =
        options.level.empty() ? LevelsById(options.data) : std::map<std::string, std::string>{};
    int code = tool::Ok;
    for (const std::string& file : files) {
        std::string why;
        if (!PlayReplay(file, options, levelsById, why)) code = tool::Refuse(file + ": " + why);
    }
    return code;
}

tool::Register registerReplay({"replay", ReplayUsage, RunReplay});

} // namespace
