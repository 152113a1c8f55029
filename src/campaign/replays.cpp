#include "campaign/replays.h"

#include "platform/files.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"

#include <cstdio>

namespace {

// Player Ids are the digits of a time stamp; anything else (a hand-edited players file)
// must not walk out of the replays folder.
bool NamesAFolder(const std::string& id) {
    if (id.empty() || id.size() > 64) return false;
    for (char c : id)
        if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z'))
            return false;
    return true;
}

bool MakeFolders(const std::string& gamePath) {
    for (size_t slash = gamePath.find('\\'); slash != std::string::npos;
         slash = gamePath.find('\\', slash + 1)) {
        const std::string folder = files::HomePath(gamePath.substr(0, slash));
        if (!files::Exists(folder) && !files::MakeFolder(folder)) return false;
    }
    return true;
}

bool Write(const std::string& gamePath, const std::string& text) {
    return MakeFolders(gamePath) && files::WriteSafely(files::HomePath(gamePath), text);
}

} // namespace

std::string BestRunPath(const tplayer& player, const std::string& levelId) {
    if (!NamesAFolder(player.Id) || !NamesAFolder(levelId)) return "";
    return "replays\\" + player.Id + "\\" + levelId + ".best";
}

std::string ParRunPath(int32_t levelIndex) {
    char name[32];
    std::snprintf(name, sizeof name, "par\\%02d.replay", static_cast<int>(levelIndex + 1));
    return name;
}

int64_t ParFrames(int32_t levelIndex) {
    std::string text, why;
    if (!files::ReadAll(ParRunPath(levelIndex), text, LargestReplayFile)) return -1;
    const auto run = ParseReplay(text, why);
    return run ? run->result.frames : -1;
}

bool KeepRun(const treplay& run, const tplayer& player) {
    const std::string text = ReplayText(run);
    bool written = Write(LastRunPath, text);
    if (run.result.LevelOutcome != OutcomeCompleted) return written;
    const std::string best = BestRunPath(player, run.levelId);
    if (best.empty()) return written;
    const auto kept = ReadKeptRun(best);
    // A kept run of another version of the level no longer counts.
    if (kept && kept->levelHash == run.levelHash && kept->result.frames <= run.result.frames)
        return written;
    return Write(best, text) && written;
}

std::optional<treplay> ReadKeptRun(const std::string& gamePath) {
    std::string text, why;
    if (gamePath.empty() || !files::ReadAll(files::HomePath(gamePath), text, LargestReplayFile))
        return std::nullopt;
    return ParseReplay(text, why);
}
