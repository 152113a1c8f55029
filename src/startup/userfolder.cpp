#include "startup/userfolder.h"

#include "platform/files.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr const char* GameName = "tarnhollow";
constexpr const char* InstalledData = "../share/tarnhollow/";
constexpr const char* LevelsFolder = "lvl";

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

tuserenvironment UserEnvironment() {
    tuserenvironment env{Variable("XDG_DATA_HOME"), Variable("HOME")};
    if (env.home.empty())
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            env.home = user->pw_dir;
    return env;
}

std::string ChooseUserFolder(bool gameFolderWritable, const tuserenvironment& env) {
    if (gameFolderWritable) return "";
    // A relative XDG_DATA_HOME is invalid and would depend on the folder we started from.
    if (env.xdgDataHome.starts_with('/')) return (fs::path(env.xdgDataHome) / GameName).string();
    if (env.home.empty()) return "";
    return (fs::path(env.home) / ".local/share" / GameName).string();
}

std::string GameFolderOf(const std::string& programFolder) {
    std::error_code error;
    if (fs::is_directory(fs::path(programFolder) / LevelsFolder, error)) return programFolder;
    const std::string installed = programFolder + InstalledData;
    if (fs::is_directory(fs::path(installed) / LevelsFolder, error))
        return fs::path(installed).lexically_normal().string();
    return programFolder;
}

bool UseUserFolder() {
    const std::string folder = ChooseUserFolder(files::CanWriteIn(""), UserEnvironment());
    if (!folder.empty() && !files::MakeFolder(folder)) return false;
    files::SetHomeFolder(folder);
    return true;
}

void RemoveStaleTemporaryFiles() {
    // Where the game and the editor save: the players, records and settings, the times of
    // campaign levels, and the player's own levels with their times.
    for (const char* folder : {"", "lvl\\", "customlvl\\"})
        files::RemoveStaleTemporaries(files::HomePath(folder));
}
