// tarnhollow-tool replay FILE [--data DIR] [--level LEVEL] [--trace] [--ghost]
// Plays a replay headless, as `play` plays a key script, and prints the play tool's final
// line. The level is found by its Id among the game folder's levels unless given. A replay
// of another version of the level, or one that does not end as it says it ended, is refused
// (exit 1): it would show a run that never happened. With --ghost the ghost's path is worked
// out first, as the game does when the level starts, and a line tells its steps and the
// milliseconds it took.
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
#include <string>
#include <vector>

namespace {

constexpr const char* ReplayUsage = "replay FILE [--data DIR] [--level LEVEL] [--trace] [--ghost]";

// The level file of the replay's level Id in the game folder's catalogue, or "".
std::string FindLevel(const std::string& data, const std::string& id) {
    std::error_code ignored;
    const auto here = std::filesystem::current_path(ignored);
    if (!files::SetCurrentFolder(data)) return "";
    BuildLevelCatalogue();
    std::string found;
    for (const tlvl& level : levels)
        if (level.id == id)
            found = (std::filesystem::path(data) / files::NativePath(level.path)).string();
    ResetLevelCatalogue();
    std::filesystem::current_path(here, ignored);
    return found;
}

int RunReplay(const std::vector<std::string>& args) {
    if (args.empty() || args[0].starts_with("--")) return tool::UsageError(ReplayUsage);
    playrun::tsetup setup;
    bool trace = false, ghost = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--trace")
            trace = true;
        else if (args[i] == "--ghost")
            ghost = true;
        else if (args[i] == "--data" && i + 1 < args.size())
            setup.data = args[++i];
        else if (args[i] == "--level" && i + 1 < args.size())
            setup.level = args[++i];
        else
            return tool::UsageError(ReplayUsage);
    }

    std::string text, why;
    if (!files::ReadAll(args[0], text, LargestReplayFile))
        return tool::Refuse(args[0] + ": cannot be read");
    auto replay = ParseReplay(text, why);
    if (!replay) return tool::Refuse(args[0] + ": " + why);

    const std::string data = setup.data.empty() ? GameFolderOf(files::ProgramFolder()) : setup.data;
    if (setup.level.empty()) setup.level = FindLevel(data, replay->levelId);
    if (setup.level.empty())
        return tool::Refuse(args[0] + ": no level with the Id " + replay->levelId + " in " + data);
    std::string bytes, name, id;
    if (!files::ReadAll(setup.level, bytes) || !ReadLevelHeader(setup.level, name, id))
        return tool::Refuse(setup.level + ": the level file cannot be read");
    if (!ReplayFitsLevel(*replay, name, id, bytes, why)) return tool::Refuse(args[0] + ": " + why);

    setup.replay = &*replay;
    playrun::tlevelrun run;
    if (!run.Prepare(setup, why)) return tool::Refuse(why);
    if (ghost) {
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
    run.Play([trace] {
        if (trace) tool::Print(playrun::tlevelrun::TraceLine());
    });
    tool::Print(run.Summary());
    if (!SameRun(ResultNow(run.Outcome(), 0), replay->result))
        return tool::Refuse(args[0] + ": the run did not end as the replay says it ended");
    return tool::Ok;
}

tool::Register registerReplay({"replay", ReplayUsage, RunReplay});

} // namespace
