#pragma once
// Where the game's data and the player's own files are. A game built or unpacked somewhere
// the player can write keeps everything in its one folder; an installed game reads its data
// from the install and keeps the player's files in the desktop's per-user data folder.
#include <string>

// What the choice of user folder reads from the environment.
struct tuserenvironment {
    std::string xdgDataHome; // $XDG_DATA_HOME, empty when unset
    std::string home;        // $HOME, or the password database's home when unset
};
tuserenvironment UserEnvironment();

// "" (the game folder itself) when the game folder can be written; otherwise
// "$XDG_DATA_HOME/tarnhollow", or "<home>/.local/share/tarnhollow" when that variable is
// unset, empty or not an absolute path. With no home at all it stays the game folder.
std::string ChooseUserFolder(bool gameFolderWritable, const tuserenvironment& env);

// The game folder of a program in programFolder (with a trailing '/'): that folder when it
// holds the levels, else "../share/tarnhollow/" beside it when that does, else the folder.
std::string GameFolderOf(const std::string& programFolder);

// With the game folder as the current folder: chooses the user folder, makes it (with its
// parents) and sets it as files::HomeFolder. False when it cannot be made.
bool UseUserFolder();

// A save killed half-way leaves its temporary file ("players.dat.tmp<PID>"); those of
// processes no longer running go from the user folder, its "lvl\" and its "customlvl\".
void RemoveStaleTemporaryFiles();
