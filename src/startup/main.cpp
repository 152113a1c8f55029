// Program entry: start-up and shutdown live in startup/startup.
#include "platform/files.h"
#include "startup/gamewindow.h"
#include "startup/startup.h"

int main() {
    UseDesktopMessageBoxes();
    // The setup dialog hooks in here once it exists; until then start-up stops before
    // making any window.
    WindowHooks windows;
    windows.CreateGameWindow = CreateGameWindow;
    windows.DestroyWindows = DestroyGameWindow;
    return StartUp(files::ProgramFolder(), windows);
}
