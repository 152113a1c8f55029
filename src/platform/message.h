#pragma once
// The one place every part of the game shows a message box through: start-up, the input
// object and the texture cache. Until the window code points it at the desktop's box, or a
// tool or test at its own listener, the text goes to stderr.
#include <functional>
#include <string_view>

inline constexpr const char* ApplicationTitle = "Tarnhollow";

enum class MessageIcon { None, Information, Error };

using MessageFunction = std::function<void(std::string_view text, MessageIcon icon)>;
// A modal message box with one OK button.
extern MessageFunction ShowMessage;

// The hook's first value: "Tarnhollow: " and the text, on a line of its own on stderr.
void MessageToStderr(std::string_view text, MessageIcon icon);
