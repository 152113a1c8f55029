#include "startup/startup.h"

#include "campaign/players.h"
#include "creatures/creaturetable.h"
#include "platform/files.h"
#include "startup/settings.h"
#include "startup/userfolder.h"

#include <clocale>
#include <cstdio>
#include <string>

StartUpResult StartUp(std::string_view programFolder, const WindowHooks& windows) {
    // Our own conversions never consult the locale (from_chars/to_chars); this keeps any
    // library's printf-style numbers on "." as well.
    std::setlocale(LC_NUMERIC, "C");
    // The world makes every creature a level places from the creatures' table.
    UseCreatureTable();

    // Every data path is relative to the game folder, whatever folder we were started
    // from: the program's own, or the installed data beside it.
    if (!files::SetCurrentFolder(GameFolderOf(std::string(programFolder)))) {
        ShowMessage(CannotChangeFolderMessage, MessageIcon::Error);
        return FolderFailed;
    }
    // An installed game folder is never written: the player's files go elsewhere. When
    // that folder cannot be made, saving reports it as it would on a full disk.
    if (!UseUserFolder())
        std::fprintf(stderr, "%s: the user folder cannot be made.\n", ApplicationTitle);
    RemoveStaleTemporaryFiles();

    CreateDefaultPlayers();
    LoadPlayers();

    if (!windows.CreateSetupDialog || !windows.CreateGameWindow || !windows.RunMessageLoop) {
        // Settings are still read (and a corrupted file reported) so the files behave as
        // in a full start; nothing is written.
        ApplySettingsFile();
        std::fprintf(stderr, "%s: this build has no windows; nothing to run.\n", ApplicationTitle);
        return WindowsMissing;
    }

    // The setup dialog is created first so that it is the main window; its lists fill
    // from the settings when it activates, after "setup.xml" has been applied.
    bool dialogMade = windows.CreateSetupDialog();
    ApplySettingsFile();
    bool gameWindowMade = dialogMade && windows.CreateGameWindow();
    const bool gameRan = gameWindowMade && windows.RunMessageLoop();
    if (windows.DestroyWindows) windows.DestroyWindows();
    if (!gameWindowMade) return WindowFailed;
    return gameRan ? StartedAndEnded : GameFailed;
}
