#pragma once
// What the game asks of the desktop besides its window: message boxes, the mouse cursor and
// opening documents or web addresses in the user's own programs.
#include "platform/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace window {

using MessageIcon = ::MessageIcon;

// A modal box with one OK button. The text is also written to stderr, so it reaches a log
// or a terminal; without a display stderr is the only place it goes.
void MessageBox(std::string_view title, std::string_view text,
                MessageIcon icon = MessageIcon::None);
// Points ShowMessage at MessageBox under the game's title (the game window, the editor).
void UseMessageBoxes();

void ShowCursor(bool visible);

// Opens a file or address with the desktop's program for it (xdg-open), without waiting.
// False when it could not be started.
bool OpenDocument(std::string_view fileOrAddress);

// Starts a program with these arguments, without a shell and without waiting; the process
// id, or -1 when it could not be started. Collect it with ProgramEnded.
int StartProgram(const std::string& program, const std::vector<std::string>& arguments);
// Whether a program from StartProgram has ended (it is collected then); `exitCode` gets its
// exit status, or -1 when it did not end by itself.
bool ProgramEnded(int process, int* exitCode = nullptr);
// As OpenDocument, but followed by the caller: the opener's process id (-1 when it could
// not be started) for ProgramEnded, whose exit code is 0 only when a program took the file.
int StartOpeningDocument(std::string_view fileOrAddress);
// Starts a program nobody waits for; it is collected later like an opened document.
bool OpenProgram(const std::string& program, const std::vector<std::string>& arguments);

} // namespace window
