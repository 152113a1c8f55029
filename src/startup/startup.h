#pragma once
// Program start: the program's folder becomes the current folder, the player slots and the
// settings are loaded, the two windows are created and the window system takes over until
// the setup dialog closes. The windows themselves are built elsewhere and hook in here.
#include "platform/message.h"

#include <functional>
#include <string_view>

inline constexpr const char* CannotChangeFolderMessage = "Cannot change to game directory.";

// Where the windows hook into start-up. A hook left empty is a window this build lacks:
// start-up then stops after loading the files, writes nothing and reports it on stderr.
// The hooks may hold what they work on (the dialog, the program's options).
struct WindowHooks {
    // Creates the setup dialog TForm2, the main window; false when it could not be made.
    std::function<bool()> CreateSetupDialog;
    // Creates the game window TForm1 (its FormCreate runs).
    std::function<bool()> CreateGameWindow;
    // Serves the windows until the setup dialog closes. "Start the Game" runs the whole
    // game (InitializeDx) inside it; Quit writes the records and settings there. False when
    // the game was started and its start failed (the message has been shown).
    std::function<bool()> RunMessageLoop;
    // Destroys the windows, the game window first: its FormDeactivate releases the engine
    // services (tservices::Release, render/services.h).
    std::function<void()> DestroyWindows;
};

// The program's exit status: anything but StartedAndEnded is a start that failed.
enum StartUpResult {
    StartedAndEnded = 0,
    FolderFailed = 1,
    WindowsMissing = 2,
    WindowFailed = 3,
    GameFailed = 4, // the device, the level files or the assets (InitializeDx)
};

// The start-up sequence and the end of the run. programFolder is the folder of the program
// file (main passes files::ProgramFolder()).
StartUpResult StartUp(std::string_view programFolder, const WindowHooks& windows);
