// The window closed anywhere in the menus leaves through Quit, with its files written.
#include "campaign/levels.h"
#include "campaign/players.h"
#include "campaign/screens.h"
#include "platform/files.h"
#include "startup/flow.h"
#include "startup/startup.h"
#include "support/scratch_folder.h"
#include "support/screenrig.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct tcloseat {
    const char* keys;   // what the player does before the window is closed
    long closeAt;       // the poll at which it is closed
    const char* screen; // the screen on view then
};

// Runs the main menu with the keys until the window is closed at poll `closeAt`, which
// leaves through Quit; the screen on view just before the close.
std::string RunMenuUntilClosed(const char* script, long closeAt) {
    ResetLevelCatalogue();
    CreateDefaultPlayers();
    PlayerProfiles[1].Lives = 3; // a player who can be chosen
    CurrentPlayer = 1;

    VirtualCounter clock{screenrig::Tick * 35};
    TForm1 form;
    form.FormCreate();
    tservices& s = form.services;
    s.graphics = std::make_unique<TDGraphics>();
    s.graphics->UseDevice(std::make_unique<gpu::RecordingDevice>(1024, 768), 75);
    std::string error;
    auto steps = ParseInputScript(script, error);
    EXPECT_TRUE(steps) << error;
    if (!steps) return {};
    auto source =
        std::make_unique<screenrig::tinput>(std::make_unique<ScriptedInput>(*steps), closeAt);
    const screenrig::tinput& keys = *source;
    EXPECT_TRUE(s.CreateOnDevice(std::move(source), &clock));
    std::string screenAtClose;
    s.waitForTick = [&] {
        clock.Advance(screenrig::Tick);
        if (keys.Frame() < closeAt) screenAtClose = CurrentScreen;
    };
    form.seed = [] { return 1u; };

    RunMainMenu(form);
    form.FormDeactivate();
    return screenAtClose;
}

class WindowClosed : public ::testing::TestWithParam<tcloseat> {};

TEST_P(WindowClosed, LeavesThroughQuitWithTheFilesWritten) {
    ScratchFolder folder;
    const tcloseat& situation = GetParam();
    EXPECT_EQ(RunMenuUntilClosed(situation.keys, situation.closeAt), situation.screen);
    for (const char* file : {"players.dat", "highscore.dat", "setup.xml"})
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

INSTANTIATE_TEST_SUITE_P(
    Flow, WindowClosed,
    ::testing::Values(tcloseat{"", 5, "main"},
                      // Setup: Down three times, Space.
                      tcloseat{"1: 208\n2:\n3: 208\n4:\n5: 208\n6:\n7: 57\n8:\n", 12, "options"},
                      // Play, choose the living player, into the shop.
                      tcloseat{"1: 57\n2:\n4: 57\n5:\n", 10, "shop"}));

} // namespace

namespace {

std::vector<std::string> shown;
void Capture(std::string_view text, MessageIcon) {
    shown.emplace_back(text);
}

// Quit on a full disk tells the player which files were not saved and why; the settings
// are tried even though the players failed. With room enough nothing is shown.
TEST(Quit, FilesThatCouldNotBeSavedAreToldInAMessage) {
    const MessageFunction previous = ShowMessage;
    ShowMessage = Capture;
    for (const bool diskFull : {false, true}) {
        ScratchFolder folder;
        shown.clear();
        files::SimulateFullDiskAfter(diskFull ? 10 : -1);
        RunMenuUntilClosed("", 5);
        files::SimulateFullDiskAfter(-1);
        const std::vector<std::string> told{"These files could not be saved:\nplayers.dat: No "
                                            "space left on device\nsetup.xml: No space left on "
                                            "device"};
        EXPECT_EQ(shown, diskFull ? told : std::vector<std::string>{});
    }
    ShowMessage = previous;
}

struct tskipped {
    const char* id;
    bool fileThere;
};
class PlayTheGameSkips : public ::testing::TestWithParam<tskipped> {};

// A level file that has gone, and one whose header Id holds markup (its parsed Id is
// digits, so the level itself plays; the header's Id is what a completion records).
TEST_P(PlayTheGameSkips, WithNothingSettled) {
    ScratchFolder folder;
    ResetLevelCatalogue();
    tlvl level;
    level.path = "customlvl\\level.dat";
    level.id = GetParam().id;
    if (GetParam().fileThere) {
        ASSERT_TRUE(std::filesystem::create_directory("customlvl"));
        ASSERT_TRUE(testlevel::WriteLevelFile(level.path, testlevel::tlevelplan{}));
    }
    levels.push_back(level);
    CreateDefaultPlayers();
    CurrentPlayer = 1;
    PlayerProfiles[1].Lives = 3;
    PlayerProfiles[1].Money = 50;
    SelectedLevel = 0;

    TForm1 form;
    form.FormCreate();
    form.LevelOutcome = 2; // what the level before left
    int32_t item = 0;
    form.PlayTheGame(item);
    EXPECT_EQ(form.LevelOutcome, 2);
    EXPECT_EQ(item, 0);
    EXPECT_EQ(PlayerProfiles[1].Money, 50);
    EXPECT_EQ(PlayerProfiles[1].Lives, 3);
    EXPECT_TRUE(PlayerProfiles[1].Levels.empty());
    EXPECT_FALSE(std::filesystem::exists("players.dat")); // nothing was settled, nothing saved
    ResetLevelCatalogue();
}

INSTANTIATE_TEST_SUITE_P(PlayTheGame, PlayTheGameSkips,
                         ::testing::Values(tskipped{"20260101000000000000001", false},
                                           tskipped{"20260101000000000000001<Q>1", true}));

} // namespace
