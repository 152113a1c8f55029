#include "platform/files.h"

#include "support/scratch_folder.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(Files, GamePathsUseBackslashes) {
    ScratchFolder folder;
    EXPECT_EQ(files::NativePath("lvl\\01.dat"), "lvl/01.dat");
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    WriteBytes("customlvl/b.dat", "b");
    WriteBytes("customlvl/a.dat", "a");
    WriteBytes("customlvl/a.tim", "t");
    WriteBytes("customlvl/dat", "no dot");
    ASSERT_TRUE(files::MakeFolder("customlvl\\folder.dat"));
    EXPECT_EQ(files::List("customlvl\\*.dat"), (std::vector<std::string>{"a.dat", "b.dat"}));
    EXPECT_TRUE(files::List("missing\\*.dat").empty());

    EXPECT_TRUE(files::Exists("customlvl\\a.dat"));
    EXPECT_TRUE(files::Delete("customlvl\\a.dat"));
    EXPECT_FALSE(files::Exists("customlvl\\a.dat"));
    EXPECT_FALSE(files::Delete("customlvl\\a.dat"));

    std::string bytes = "stale";
    EXPECT_FALSE(files::ReadAll("customlvl\\a.dat", bytes));
    EXPECT_TRUE(files::ReadAll("customlvl\\b.dat", bytes));
    EXPECT_EQ(bytes, "b");
}

TEST(Files, WriteSafelyKeepsTheOldFileOnFailure) {
    ScratchFolder folder;
    ASSERT_TRUE(files::WriteSafely("save.dat", std::string("first\0\xff", 7)));
    EXPECT_EQ(ReadBytes("save.dat"), std::string("first\0\xff", 7));
    ASSERT_TRUE(files::WriteSafely("save.dat", "second"));
    EXPECT_EQ(ReadBytes("save.dat"), "second");

    // The disk fills up part-way through the new contents: the old file stays whole and
    // no temporary file is left behind.
    files::SimulateFullDiskAfter(3);
    EXPECT_FALSE(files::WriteSafely("save.dat", "third, much longer"));
    files::SimulateFullDiskAfter(-1);
    EXPECT_EQ(ReadBytes("save.dat"), "second");
    EXPECT_EQ(files::List("*"), std::vector<std::string>{"save.dat"});

    EXPECT_FALSE(files::WriteSafely("missing\\save.dat", "x"));
}

TEST(Files, AppendOnlyToExisting) {
    ScratchFolder folder;
    EXPECT_FALSE(files::AppendToExisting("log.txt", "x"));
    EXPECT_FALSE(FileExists("log.txt"));
    WriteBytes("log.txt", "a");
    EXPECT_TRUE(files::AppendToExisting("log.txt", "b"));
    EXPECT_EQ(ReadBytes("log.txt"), "ab");
}

TEST(Files, ProgramFolderIsCurrentAfterChange) {
    ScratchFolder folder;
    std::string programFolder = files::ProgramFolder();
    ASSERT_FALSE(programFolder.empty());
    EXPECT_EQ(programFolder.back(), '/');
    EXPECT_TRUE(files::SetCurrentFolder(programFolder));
    EXPECT_FALSE(files::SetCurrentFolder(""));
    EXPECT_FALSE(files::SetCurrentFolder("/no/such/folder"));
}

namespace {

// Runs `read` in a child process and answers its result, or "hung" when it has not
// finished within two seconds: a file that blocks the reader must fail the test, not stall it.
std::string AnswerWithin2s(const std::function<bool()>& read) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(read() ? 1 : 0);
    for (int waited = 0; waited < 200; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 1 ? "read" : "refused";
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return "hung";
}

pid_t FinishedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(Files, ListedNamesNeverLeaveTheirFolder) {
    ScratchFolder folder;
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    WriteBytes("customlvl/..\\..\\..\\evil.dat", "e");
    WriteBytes("customlvl/sub\\inner.dat", "s");
    // Odd but plain names stay listed.
    WriteBytes("customlvl/..plain.dat", "p");
    WriteBytes("customlvl/a level.dat", "a");
    EXPECT_EQ(files::List("customlvl\\*.dat"),
              (std::vector<std::string>{"..plain.dat", "a level.dat"}));
}

TEST(Files, OnlyRegularFilesOfBoundedSizeAreRead) {
    ScratchFolder folder;
    ASSERT_EQ(::mkfifo("fifo.dat", 0600), 0);
    ASSERT_EQ(::symlink("fifo.dat", "link-to-fifo.dat"), 0);
    ASSERT_TRUE(files::MakeFolder("folder.dat"));
    WriteBytes("ten.dat", "head\r\nbody");
    ASSERT_EQ(::symlink("ten.dat", "link-to-ten.dat"), 0);

    struct Case {
        const char* path;
        size_t largest;
        const char* whole;     // what ReadAll answers
        const char* firstLine; // what ReadFirstLine answers
    };
    const Case cases[] = {
        {"fifo.dat", 100, "refused", "refused"},    {"link-to-fifo.dat", 100, "refused", "refused"},
        {"folder.dat", 100, "refused", "refused"},  {"/dev/zero", 100, "refused", "refused"},
        {"missing.dat", 100, "refused", "refused"}, {"ten.dat", 10, "read", "read"},
        {"ten.dat", 9, "refused", "refused"},       {"link-to-ten.dat", 10, "read", "read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + std::string(" up to ") + std::to_string(c.largest));
        EXPECT_EQ(AnswerWithin2s([&] {
                      std::string bytes;
                      return files::ReadAll(c.path, bytes, c.largest) && bytes == "head\r\nbody";
                  }),
                  c.whole);
        EXPECT_EQ(AnswerWithin2s([&] {
                      std::string line;
                      return files::ReadFirstLine(c.path, line, c.largest) && line == "head";
                  }),
                  c.firstLine);
    }
    // A file without a line end is its own first line.
    WriteBytes("one.dat", "only");
    std::string line;
    EXPECT_TRUE(files::ReadFirstLine("one.dat", line, 100));
    EXPECT_EQ(line, "only");
}

TEST(Files, SavesNeverWriteThroughALink) {
    ScratchFolder folder;
    WriteBytes("victim.txt", "precious");
    const std::string temporary = "save.dat.tmp" + std::to_string(::getpid());
    ASSERT_EQ(::symlink("victim.txt", temporary.c_str()), 0);
    EXPECT_TRUE(files::WriteSafely("save.dat", "new"));
    EXPECT_EQ(ReadBytes("victim.txt"), "precious");
    EXPECT_EQ(ReadBytes("save.dat"), "new");
    EXPECT_FALSE(FileExists(temporary));

    // The log is appended to only as the regular file it should be.
    ASSERT_EQ(::symlink("victim.txt", "log.txt"), 0);
    EXPECT_FALSE(files::AppendToExisting("log.txt", "line"));
    EXPECT_EQ(ReadBytes("victim.txt"), "precious");
    ASSERT_EQ(::mkfifo("fifo.txt", 0600), 0);
    EXPECT_EQ(AnswerWithin2s([] { return files::AppendToExisting("fifo.txt", "line"); }),
              "refused");
}

TEST(Files, StaleTemporariesOfFinishedProcessesGo) {
    ScratchFolder folder;
    const std::string gone = std::to_string(FinishedProcess());
    const std::string running = std::to_string(::getppid());
    const std::string own = std::to_string(::getpid());
    const std::vector<std::string> kept = {
        "setup.xml.tmp" + own,     "highscore.dat.tmp" + running, "notes.tmp",
        "x.dat.tmp0" + gone,       "x.dat.tmp" + gone + "x",      ".tmp" + gone,
        "players.dat.tmp-" + gone,
    };
    for (const std::string& name : kept) WriteBytes(name, "k");
    WriteBytes("players.dat.tmp" + gone, "stale");
    ASSERT_TRUE(files::MakeFolder("lvl"));
    WriteBytes("lvl/1.tim.tmp" + gone, "stale");
    ASSERT_TRUE(files::MakeFolder("folder.tmp" + gone));

    EXPECT_EQ(files::RemoveStaleTemporaries(""), 1);
    EXPECT_EQ(files::RemoveStaleTemporaries("lvl\\"), 1);
    EXPECT_FALSE(FileExists("players.dat.tmp" + gone));
    EXPECT_FALSE(FileExists("lvl/1.tim.tmp" + gone));
    for (const std::string& name : kept) EXPECT_TRUE(FileExists(name)) << name;
    EXPECT_TRUE(FileExists("folder.tmp" + gone));
}
