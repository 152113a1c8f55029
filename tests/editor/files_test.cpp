// The editor's own files: the recent list and when the autosave is written, removed and
// offered back.
#include "editorfiles.h"
#include "editormodel.h"
#include "levelsource.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace editor;
using List = std::vector<std::string>;

TEST(RecentFiles, TheLastOpenedComesFirstOnceAndTheOldestFallOff) {
    const struct {
        const char* what;
        List before;
        std::string path;
        List after;
    } cases[] = {
        {"first file", {}, "/a.dat", {"/a.dat"}},
        {"a new one goes first", {"/a.dat", "/b.dat"}, "/c.dat", {"/c.dat", "/a.dat", "/b.dat"}},
        {"reopened moves up, once",
         {"/a.dat", "/b.dat", "/c.dat"},
         "/c.dat",
         {"/c.dat", "/a.dat", "/b.dat"}},
        {"already first", {"/a.dat", "/b.dat"}, "/a.dat", {"/a.dat", "/b.dat"}},
        {"an untitled level is not remembered", {"/a.dat"}, "", {"/a.dat"}},
        {"full: the oldest goes",
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"},
         "/9",
         {"/9", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}},
        {"full, reopening one loses none",
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"},
         "/8",
         {"/8", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WithRecent(c.before, c.path), c.after) << c.what;
}

TEST(RecentFiles, ReadsWhatItWroteAndSurvivesAHandEditedFile) {
    const struct {
        const char* what;
        std::string text;
        List list;
    } cases[] = {
        {"empty", "", {}},
        {"plain", "/a.dat\n/b b.dat\n", {"/a.dat", "/b b.dat"}},
        {"no last line end, Windows line ends", "/a.dat\r\n/b.dat", {"/a.dat", "/b.dat"}},
        {"blank lines and repeats", "\n/a.dat\n\n/a.dat\n/b.dat\n", {"/a.dat", "/b.dat"}},
        {"too many",
         "/1\n/2\n/3\n/4\n/5\n/6\n/7\n/8\n/9\n/10\n",
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseRecent(c.text), c.list) << c.what;
        EXPECT_EQ(ParseRecent(FormatRecent(c.list)), c.list) << c.what;
    }
}

TEST(Autosave, WritesUnsavedWorkEveryMinuteAndDropsItOnceSaved) {
    using A = AutosaveAction;
    const struct {
        bool modified, exists;
        double seconds;
        A action;
    } cases[] = {
        {true, false, 59.9, A::None}, {true, false, 60, A::Write}, {true, true, 61, A::Write},
        {true, true, 10, A::None},    {false, true, 0, A::Remove}, {false, true, 120, A::Remove},
        {false, false, 120, A::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextAutosave(c.modified, c.exists, c.seconds), c.action)
            << c.modified << " " << c.exists << " " << c.seconds;
}

TEST(Autosave, OffersBackOnlyALevelThatReads) {
    const std::string good = levelkit::WriteSource(NewLevel("12345"));
    EXPECT_TRUE(AutosaveWorthOffering(good));
    EXPECT_FALSE(AutosaveWorthOffering(""));
    EXPECT_FALSE(AutosaveWorthOffering("not a level\n"));
    EXPECT_FALSE(AutosaveWorthOffering(good.substr(0, good.size() / 2))) << "cut short by a crash";
}

// The round trip through the user folder: recent list, autosave, restoring it.
TEST(Autosave, ARestoredLevelIsUnsavedWorkWithoutAFile) {
    const fs::path home = fs::temp_directory_path() / "tarnhollow-editor-files";
    fs::remove_all(home);
    fs::create_directories(home);
    const std::string old = files::HomeFolder();
    files::SetHomeFolder(home.string());

    EXPECT_TRUE(LoadRecent().empty()) << "no file yet";
    ASSERT_TRUE(SaveRecent({"/x/a.dat", "/x/b.dat"}));
    EXPECT_EQ(LoadRecent(), (List{"/x/a.dat", "/x/b.dat"}));

    Model edited;
    std::string error;
    ASSERT_TRUE(edited.Run(*SetProperty("name", "Lost Work"), error)) << error;
    ASSERT_TRUE(WriteAutosave(edited.Level()));
    EXPECT_EQ(AutosavePath(), (home / AutosaveFile).string());

    Model restored;
    ASSERT_TRUE(restored.OpenRecovered(AutosavePath(), error)) << error;
    EXPECT_EQ(restored.Level().header[levelkit::HName], "Lost Work");
    EXPECT_TRUE(restored.Modified());
    EXPECT_EQ(restored.Path(), "") << "saving must not overwrite the autosave";
    EXPECT_EQ(restored.UndoSteps(), 0u);

    // An unreadable autosave leaves the level being edited as it was.
    ASSERT_TRUE(files::WriteSafely(AutosavePath(), "garbage"));
    EXPECT_FALSE(restored.OpenRecovered(AutosavePath(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(restored.Level().header[levelkit::HName], "Lost Work");

    files::SetHomeFolder(old);
    fs::remove_all(home);
}

} // namespace
