// Program entry: the options, then start-up and shutdown (startup/startup) with the setup
// dialog and the game window hooked in.
#include "engine/settings.h"
#include "platform/files.h"
#include "platform/filesizelimit.h"
#include "render/screenlayout.h"
#include "startup/gamewindow.h"
#include "startup/options.h"
#include "startup/setupwindow.h"
#include "startup/startup.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

// The game window with what the command line says about its pictures.
bool CreateGameWindowAsAsked(bool classicFrameRate) {
    if (!CreateGameWindow()) return false;
    if (Form1) Form1->choice.classicFrameRate = classicFrameRate;
    return true;
}

bool CreateSetupDialog(std::unique_ptr<tsetupdialog>& Form2) {
    Form2 = std::make_unique<tsetupdialog>(GatherSetupHardware(), settings);
    Form2->Create();
    if (std::string message = Form2->TakeMessage(); !message.empty())
        ShowMessage(message, MessageIcon::Error);
    return true;
}

// The dialog is served until it closes; "Start the Game" closes it and runs the game, and
// the program ends with the game. False when the game's start failed.
bool RunSetupThenGame(std::unique_ptr<tsetupdialog>& Form2, bool forceWindow) {
    tsetupresult result;
    const bool started = RunSetupDialog(*Form2, result);
    Form2.reset();
    if (!started) return true; // closed without starting: nothing failed
    if (!Form1) return false;
    ScreenWidth = result.width;
    ScreenHeight = result.height;
    TextureFolder = result.textureFolder;
    Form1->choice.adapter = result.adapter;
    Form1->choice.format = result.format;
    Form1->choice.depthFormat = result.depthFormat;
    Form1->choice.windowed = result.windowed || forceWindow;
    return Form1->InitializeDx();
}

int DrawDialogPicture(const std::string& file) {
    tsetupdialog dialog(GatherSetupHardware(), settings);
    dialog.Create();
    dialog.Activate(false);
    if (DrawSetupDialogPicture(dialog, file)) return 0;
    std::fprintf(stderr, "tarnhollow: could not draw the setup dialog into %s\n", file.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    files::FailWritesPastTheSizeLimit();
    tprogramoptions options = ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case tprogramoptions::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case tprogramoptions::Version:
        std::puts(VersionText);
        return 0;
    case tprogramoptions::Fail:
        std::fprintf(stderr, "tarnhollow: %s\n%s", options.error.c_str(), UsageText().c_str());
        return 2;
    case tprogramoptions::Run:
        break;
    }
    if (!options.dialogPicture.empty()) return DrawDialogPicture(options.dialogPicture);

    UseDesktopMessageBoxes();
    WindowHooks windows;
    if (!options.playLevel.empty()) {
        // Start-up moves to the game folder; the file stays the one the user named.
        std::error_code ignored;
        const auto absolute = std::filesystem::absolute(options.playLevel, ignored);
        if (!absolute.empty()) options.playLevel = absolute.string();
        // No dialog: the saved screen choice, one level, and the end.
        windows.CreateSetupDialog = [] { return true; };
        windows.RunMessageLoop = [&options] {
            return PlayLevelWithSavedChoice(options.playLevel, options.playSlot,
                                            options.windowed) >= 0;
        };
        windows.CreateGameWindow = [classic = options.classicFrameRate] {
            return CreateGameWindowAsAsked(classic);
        };
        windows.DestroyWindows = DestroyGameWindow;
        return StartUp(files::ProgramFolder(), windows);
    }
    // Skipping the dialog plays the saved choice as it was saved (full screen or a window).
    std::unique_ptr<tsetupdialog> Form2;
    const bool forceWindow = options.windowed;
    if (options.skipSetup) {
        windows.CreateSetupDialog = [] { return true; };
        windows.RunMessageLoop = [forceWindow] { return StartGameWithSavedChoice(forceWindow); };
    } else {
        windows.CreateSetupDialog = [&Form2] { return CreateSetupDialog(Form2); };
        windows.RunMessageLoop = [&Form2, forceWindow] {
            return RunSetupThenGame(Form2, forceWindow);
        };
    }
    windows.CreateGameWindow = [classic = options.classicFrameRate] {
        return CreateGameWindowAsAsked(classic);
    };
    windows.DestroyWindows = DestroyGameWindow;
    return StartUp(files::ProgramFolder(), windows);
}
