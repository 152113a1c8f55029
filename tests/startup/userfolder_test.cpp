// Where an installed game finds its data and keeps the player's files.
#include "support/scratch_folder.h"

#include "campaign/levels.h"
#include "campaign/leveltimes.h"
#include "campaign/records.h"
#include "platform/files.h"
#include "startup/userfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct tuserfoldercase {
    bool writable;
    const char* xdgDataHome;
    const char* home;
    const char* folder;
};

TEST(UserFolder, FollowsTheGameFolderAndTheDesktopsDataFolder) {
    constexpr tuserfoldercase cases[] = {
        {true, "/x/data", "/home/p", ""},
        {true, "", "/home/p", ""},
        {false, "/x/data", "/home/p", "/x/data/tarnhollow"},
        {false, "", "/home/p", "/home/p/.local/share/tarnhollow"},
        // A relative XDG_DATA_HOME is invalid: the default is used instead.
        {false, "data", "/home/p", "/home/p/.local/share/tarnhollow"},
        {false, "/x/data", "", "/x/data/tarnhollow"},
        // With nowhere else to go the files stay with the game (and fail to save there).
        {false, "", "", ""},
    };
    for (const tuserfoldercase& c : cases) {
        SCOPED_TRACE(std::string(c.xdgDataHome) + " " + c.home + (c.writable ? " writable" : ""));
        EXPECT_EQ(ChooseUserFolder(c.writable, {c.xdgDataHome, c.home}), c.folder);
    }
}

TEST(UserFolder, InstalledProgramsFindTheDataInShare) {
    ScratchFolder scratch;
    fs::create_directories("build/lvl");
    fs::create_directories("usr/bin");
    fs::create_directories("usr/share/tarnhollow/lvl");
    fs::create_directories("nowhere/bin");
    const std::string root = scratch.path + "/";
    EXPECT_EQ(GameFolderOf(root + "build/"), root + "build/");
    EXPECT_EQ(GameFolderOf(root + "usr/bin/"), root + "usr/share/tarnhollow/");
    EXPECT_EQ(GameFolderOf(root + "nowhere/bin/"), root + "nowhere/bin/");
}

TEST(UserFolder, UserLevelsOfTheGameComeBeforeThePlayersOwn) {
    ScratchFolder scratch;
    fs::create_directories("game/customlvl");
    fs::create_directories("user/customlvl");
    WriteBytes("game/customlvl/zeta.dat", "<Na>Zeta</Na><Id>zeta</Id>\n");
    WriteBytes("user/customlvl/alpha.dat", "<Na>Alpha</Na><Id>alpha</Id>\n");
    WriteBytes("user/customlvl/beta.dat", "<Na>Beta</Na><Id>beta</Id>\n");
    fs::current_path("game");
    files::SetHomeFolder(scratch.path + "/user");
    ResetLevelCatalogue();
    BuildLevelCatalogue();
    ASSERT_EQ(levels.size(), CampaignLevelCount + 3u);
    EXPECT_EQ(levels[CampaignLevelCount].name, "Zeta");
    EXPECT_EQ(levels[CampaignLevelCount + 1].name, "Alpha");
    EXPECT_EQ(levels[CampaignLevelCount + 2].name, "Beta");
    EXPECT_EQ(TimesPath(levels[CampaignLevelCount + 1]),
              scratch.path + "/user/customlvl\\alpha.tim");

    // The game's own folder as user folder lists its levels once.
    files::SetHomeFolder(scratch.path + "/game");
    ResetLevelCatalogue();
    BuildLevelCatalogue();
    EXPECT_EQ(levels.size(), CampaignLevelCount + 1u);
    files::SetHomeFolder("");
    ResetLevelCatalogue();
}

// Sets (or clears) an inode flag of a folder; false where the file system or the user
// may not.
bool SetFolderFlag(const std::string& folder, int flag, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | flag : flags & ~flag;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

struct tprobecase {
    const char* what;
    int flag; // 0: a plain folder
    bool writable;
};

// The probe that decides where the player's files go must leave nothing behind, also in a
// folder where a file can be made but not removed again.
TEST(UserFolder, TheWriteProbeLeavesNothingInTheFolder) {
    ScratchFolder scratch;
    constexpr tprobecase cases[] = {
        {"plain", 0, true},
        {"files can be made, not removed", FS_APPEND_FL, true},
        {"nothing can be made", FS_IMMUTABLE_FL, false},
    };
    for (const tprobecase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_directory("probed");
        if (c.flag && !SetFolderFlag("probed", c.flag, true)) {
            fs::remove("probed");
            GTEST_SKIP() << "folder flags cannot be set here (root on ext4 can)";
        }
        const bool writable = files::CanWriteIn("probed");
        const bool empty = fs::is_empty("probed");
        if (c.flag) SetFolderFlag("probed", c.flag, false);
        fs::remove_all("probed");
        EXPECT_TRUE(empty);
        EXPECT_EQ(writable, c.writable);
    }
}

// Root writes through permission bits, so the player is nobody when the tests run as root.
bool BecomeAPlayer(const std::string& userFolder) {
    if (::getuid() != 0) return true;
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return false;
    if (::chown(userFolder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) return false;
    return ::setgid(nobody->pw_gid) == 0 && ::setuid(nobody->pw_uid) == 0;
}

TEST(UserFolder, TimesOfALevelInAReadOnlyFolderGoToTheUserFolder) {
    ScratchFolder scratch;
    fs::permissions(scratch.path, fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    fs::create_directories("game/customlvl");
    fs::create_directories("user");
    WriteBytes("game/customlvl/mine.dat", "<Na>Mine</Na><Id>mine</Id>\n");
    fs::permissions("game/customlvl", fs::perms::owner_write, fs::perm_options::remove);
    const std::string user = scratch.path + "/user";

    // A child process, so that only it gives up root.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (!BecomeAPlayer(user) || files::CanWriteIn("game/customlvl")) ::_exit(2);
        ::chdir("game");
        files::SetHomeFolder(user);
        AddCatalogueEntry("customlvl\\mine.dat");
        tlvl& level = levels.back();
        level.times[0] = {"Ann", "", 12345};
        const bool saved = SaveLevelTimes(level);
        const bool there = TimesPath(level) == user + "/customlvl\\mine.tim";
        ReadFastestTimes(level);
        ::_exit(saved && there && level.times[0].Value == 12345 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    fs::permissions("game/customlvl", fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2) << "no unprivileged player to run as";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(FileExists("user/customlvl/mine.tim"));
    EXPECT_FALSE(FileExists("game/customlvl/mine.tim"));
}

} // namespace

TEST(UserFolder, StaleSavesOfAKilledGameGoAtStart) {
    ScratchFolder scratch;
    fs::create_directories("user/lvl");
    fs::create_directories("user/customlvl");
    fs::create_directories("game/customlvl");
    const pid_t killed = ::fork();
    if (killed == 0) ::_exit(0);
    ::waitpid(killed, nullptr, 0);
    const std::string stale = ".tmp" + std::to_string(killed);
    const std::vector<std::string> left = {"user/players.dat", "user/lvl/07.tim",
                                           "user/customlvl/mine.dat"};
    for (const std::string& name : left) WriteBytes(name + stale, "half");
    // The game folder is not the player's: nothing goes there.
    WriteBytes("game/customlvl/theirs.dat" + stale, "half");
    fs::current_path("game");
    files::SetHomeFolder(scratch.path + "/user");
    RemoveStaleTemporaryFiles();
    files::SetHomeFolder("");
    fs::current_path(scratch.path);
    for (const std::string& name : left) EXPECT_FALSE(FileExists(name + stale)) << name;
    EXPECT_TRUE(FileExists("game/customlvl/theirs.dat" + stale));
}
