#pragma once
// The players and the high scores each have an older hexadecimal file that is still read:
// when it exists it wins, and it goes once its contents loaded completely, so the next
// save replaces it with the current form.
//
// A save file that exists but cannot be read leaves the defaults in play, and the next save
// would write them over it. So the load remembers such a file, and the first save of the
// run moves it aside under a name that says what it is, instead of losing it for good.
#include "platform/clock.h"

#include <string>
#include <string_view>
#include <vector>

// One of the game's own save files in the user folder, with what its load found.
struct tsavefile {
    const char* olderHexFile;
    const char* file;
    bool (*loadFrom)(std::string_view fileName, bool hexForm);
    std::string unreadable; // path of a file that did not load; moved aside by the next save
};

// Loads the older form when it exists (and deletes it once it loaded completely); when
// there is none, or it did not load, the current file. Remembers a current file that
// exists but did not load completely.
void LoadSaveFile(tsavefile& save);

// Before a save: moves a file remembered as unreadable to its ".unreadable-" name and
// says so in the log, once. False when it is still in the way (the save must not write
// over it then).
bool KeepUnreadableFile(tsavefile& save);

// path + ".unreadable-YYYYMMDD-HHMMSS", with "-2", "-3"... when that name is taken.
std::string UnreadableName(const std::string& path, const sysclock::LocalTime& time);

// A save that could not be written, as the player is told of it.
struct tsavefailure {
    std::string file;   // the path, as in the user folder
    std::string reason; // in the system's words ("No space left on device")
};
using tsavereport = std::vector<tsavefailure>;

// Notes a save of `gamePath` that has just failed, with files::LastFailure as the reason.
void NoteFailedSave(tsavereport& report, std::string_view gamePath);
