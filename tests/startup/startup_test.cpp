#include "startup/startup.h"

#include "campaign/players.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "platform/gpu/recording_device.h"
#include "render/services.h"
#include "startup/gamewindow.h"
#include "startup/settings.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> events;
void Record(std::string_view text, MessageIcon) {
    events.push_back("message " + std::string(text));
}

bool CreateSetupDialog() {
    // The players are loaded before any window exists; the settings come after the dialog.
    events.push_back("dialog, slot 1 " + PlayerProfiles[1].Name + ", zoom " +
                     std::to_string(settings.CameraZoom));
    return true;
}
bool MakeGameWindow() {
    events.push_back("game window, zoom " + std::to_string(settings.CameraZoom));
    return true;
}
bool FailToCreate() {
    events.push_back("dialog failed");
    return false;
}
bool RunMessageLoop() {
    events.push_back("message loop");
    return true;
}

void DestroyWindows() {
    events.push_back("destroy");
}

class StartUpSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        events.clear();
        settings = tsettings{};
        ShowMessage = Record;
        // The game's own files, in the program's folder (a folder beside the scratch one).
        std::filesystem::create_directory("game");
        gameFolder = folder.path + "/game/";
        CreateDefaultPlayers();
        PlayerProfiles[1].Name = "HEROINE";
        ASSERT_TRUE(SavePlayersTo("game/players.dat"));
        CreateDefaultPlayers();
        WriteBytes("game/setup.xml", "<Setup><Screen><Zoom>9</Zoom></Screen></Setup>");
        std::filesystem::create_directory("elsewhere");
        std::filesystem::current_path("elsewhere"); // started through a shortcut
    }
    void TearDown() override {
        ShowMessage = previousShowMessage;
        settings = tsettings{};
        CreateDefaultPlayers();
    }
    ScratchFolder folder;
    std::string gameFolder;
    MessageFunction previousShowMessage = ShowMessage;
};

} // namespace

TEST_F(StartUpSequence, RunsInOrderFromTheProgramsFolder) {
    std::string playersBefore = ReadBytes(gameFolder + "players.dat");
    WindowHooks windows{CreateSetupDialog, MakeGameWindow, RunMessageLoop, DestroyWindows};
    EXPECT_EQ(StartUp(gameFolder, windows), StartedAndEnded);
    EXPECT_EQ(events, (std::vector<std::string>{"dialog, slot 1 HEROINE, zoom 50",
                                                "message setup.xml file is corrupted",
                                                "game window, zoom 9", "message loop", "destroy"}));
    EXPECT_EQ(std::filesystem::current_path().string() + "/", gameFolder);
    // Corrupted settings are deleted; nothing is written by start-up itself.
    EXPECT_FALSE(FileExists(gameFolder + "setup.xml"));
    EXPECT_EQ(ReadBytes(gameFolder + "players.dat"), playersBefore);
    EXPECT_EQ(files::List("*"), std::vector<std::string>{"players.dat"});
}

TEST_F(StartUpSequence, StopsAtOnceWhenTheFolderCannotBeEntered) {
    WindowHooks windows{CreateSetupDialog, MakeGameWindow, RunMessageLoop, DestroyWindows};
    EXPECT_EQ(StartUp(folder.path + "/no-such-folder/", windows), FolderFailed);
    EXPECT_EQ(events, std::vector<std::string>{"message Cannot change to game directory."});
    EXPECT_TRUE(FileExists(gameFolder + "setup.xml"));
}

TEST_F(StartUpSequence, WithoutWindowsLoadsFilesAndStops) {
    EXPECT_EQ(StartUp(gameFolder, WindowHooks{}), WindowsMissing);
    EXPECT_EQ(PlayerProfiles[1].Name, "HEROINE");
    EXPECT_EQ(settings.CameraZoom, 9);

    events.clear();
    EXPECT_EQ(StartUp(gameFolder,
                      WindowHooks{FailToCreate, MakeGameWindow, RunMessageLoop, DestroyWindows}),
              WindowFailed);
    EXPECT_EQ(events, (std::vector<std::string>{"dialog failed", "destroy"}));
}

// A game that stops at "Unable to set screen mode" or any other start-up failure ends the
// program with a failure status, like the failures before the windows.
TEST_F(StartUpSequence, AGameThatCannotStartEndsWithAFailureStatus) {
    // The real game window, started without the dialog, in a folder without level files.
    WindowHooks windows{CreateSetupDialog, CreateGameWindow,
                        +[] { return StartGameWithSavedChoice(true); }, DestroyGameWindow};
    EXPECT_EQ(StartUp(gameFolder, windows), GameFailed);
    EXPECT_EQ(events.back(), "message Level files are corrupted.");
    EXPECT_EQ(Form1, nullptr); // destroyed all the same
    EXPECT_NE(GameFailed, StartedAndEnded);
}

std::vector<std::string> released;

class ReleasedKeyboard : public input::InputSource {
  public:
    ~ReleasedKeyboard() override { released.push_back("input"); }
    void Pump() override {}
    bool TakePadsChanged() override { return false; }
    std::vector<input::PadDescription> EnumeratePads() override { return {}; }
    bool ReadPad(int, input::PadReading&) override { return false; }
    bool ReadKeyboard(input::KeyState&) override { return true; }
};

class ReleasedDevice : public gpu::RecordingDevice {
  public:
    ~ReleasedDevice() override { released.push_back("device"); }
};

// A start stopped half-way made only some services: those go in the fixed order (the input
// before the device, the cursor shown again), the others are skipped, and a second release
// has nothing to do.
TEST(Teardown, ServicesReleaseInOrderOnlyWhatWasMade) {
    released.clear();
    tservices services;
    services.graphics = std::make_unique<TDGraphics>();
    services.graphics->UseDevice(std::make_unique<ReleasedDevice>(), 75);
    services.input = std::make_unique<TDInput>();
    ASSERT_TRUE(services.input->Init(std::make_unique<ReleasedKeyboard>()));
    services.cursorHidden = true;

    services.Release();
    EXPECT_EQ(released, (std::vector<std::string>{"input", "device"}));
    EXPECT_FALSE(services.input || services.graphics || services.cursorHidden);
    services.Release();
    EXPECT_EQ(released.size(), 2u);
}
