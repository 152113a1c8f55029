// Program entry: start-up and shutdown live in startup/startup.
#include "platform/files.h"
#include "startup/startup.h"

int main() {
    // The windows (setup dialog and game window) hook in here once they exist.
    WindowHooks windows;
    return StartUp(files::ProgramFolder(), windows);
}
