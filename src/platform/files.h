#pragma once
// The file system as the game sees it: paths are written the way the game's data
// names them ("lvl\01.dat") and turned into real paths at the last moment.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace files {

// "lvl\01.dat" -> "lvl/01.dat".
std::string NativePath(std::string_view gamePath);

// Folder holding the running program, with a trailing '/'.
std::string ProgramFolder();
bool SetCurrentFolder(std::string_view folder);

bool Exists(std::string_view gamePath);
bool Delete(std::string_view gamePath);
bool MakeFolder(std::string_view gamePath);
// Whether this process can create a file in the folder ("" is the current folder). The
// permission bits are not enough: root passes them on a read-only mount.
bool CanWriteIn(std::string_view gameFolder);
// Moves a file to a new name in the same file system; false when it cannot (LastFailure
// says why).
bool Rename(std::string_view fromGamePath, std::string_view toGamePath);

// Names (without folder) of the files in a folder matching "*<ending>", e.g. "customlvl\*.dat",
// sorted so that every run lists them in the same order.
std::vector<std::string> List(std::string_view pattern);

// Reads a whole file; false when it cannot be opened or read, is not a regular file (a
// FIFO, a device, a folder) or holds more than `largest` bytes.
bool ReadAll(std::string_view gamePath, std::string& bytes, size_t largest = SIZE_MAX);
// Reads the first line of a file, without its line end, and nothing after it; false as
// for ReadAll (`largest` bounds the file, not only the line).
bool ReadFirstLine(std::string_view gamePath, std::string& line, size_t largest);

// Writes the bytes under a temporary name in the same folder, flushes them to disk and
// renames the result over the old file. When anything fails the old file is untouched
// and the answer is false; LastFailure says why.
bool WriteSafely(std::string_view gamePath, std::string_view bytes);

// Appends to a regular file that must already exist, never through a link; false when it
// does not, is something else, or the write fails.
bool AppendToExisting(std::string_view gamePath, std::string_view bytes);

// The user folder: where the program keeps its own files (players, high scores,
// "setup.xml", the times of campaign levels, screenshots, "log.txt"). Empty (the default)
// means the current folder, which is the game folder. Game data is never read from it.
void SetHomeFolder(std::string folder);
const std::string& HomeFolder();
// A game path inside the user folder ("players.dat" -> "<home>/players.dat"). A path that
// is already absolute names its own place and stays as it is.
std::string HomePath(std::string_view gamePath);

// Removes the temporary files ("<name>.tmp<PID>") that a killed save left in the folder,
// when their process is no longer running; answers how many went.
int RemoveStaleTemporaries(std::string_view gameFolder);

// Why the last WriteSafely or Rename that failed did so, in the system's words ("No space
// left on device"); empty before any failure.
std::string LastFailure();

// Test seam: makes the next WriteSafely calls fail after writing this many bytes of
// their temporary file, as a full disk would. A negative value turns it off.
void SimulateFullDiskAfter(long bytes);

} // namespace files
