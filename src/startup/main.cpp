// Program entry: start-up and shutdown live in startup/startup.
#include "platform/files.h"
#include "startup/gamewindow.h"
#include "startup/startup.h"

int main() {
    UseDesktopMessageBoxes();
    // Until the setup dialog exists the game starts at once with the saved choice.
    WindowHooks windows;
    windows.CreateSetupDialog = [] { return true; };
    windows.RunMessageLoop = StartGameWithSavedChoice;
    windows.CreateGameWindow = CreateGameWindow;
    windows.DestroyWindows = DestroyGameWindow;
    return StartUp(files::ProgramFolder(), windows);
}
