#pragma once
// What the game asks of the desktop besides its window: message boxes, the mouse cursor and
// opening documents or web addresses in the user's own programs.
#include <string_view>

namespace window {

enum class MessageIcon { None, Information, Error };

// A modal box with one OK button. The text is also written to stderr, so it reaches a log
// or a terminal; without a display stderr is the only place it goes.
void MessageBox(std::string_view title, std::string_view text,
                MessageIcon icon = MessageIcon::None);

void ShowCursor(bool visible);

// Opens a file or address with the desktop's program for it (xdg-open), without waiting.
// False when it could not be started.
bool OpenDocument(std::string_view fileOrAddress);

} // namespace window
