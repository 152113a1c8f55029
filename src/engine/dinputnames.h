#pragma once
// The names the options screen shows for key codes and pad controls. Only keys with a
// name can be bound; Esc, P and F1..F4 have none because the game keeps them for itself.
#include <array>
#include <cstdint>
#include <string_view>

namespace dinput {

constexpr int KeyNameCount = 238;
constexpr int PadControlCount = 49; // 0 = no control, 1..48

struct NamedKey {
    uint8_t code;
    std::string_view name;
};

constexpr NamedKey namedKeys[] = {
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "-"},
    {13, "="},
    {14, "BACK SPACE"},
    {15, "TAB"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {26, "("},
    {27, ")"},
    {28, "ENTER"},
    {29, "LEFT CTRL"},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, ";"},
    {40, "APOSTROPHE"},
    {41, "GRAVE"},
    {42, "LEFT SHIFT"},
    {43, "\\"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, ","},
    {52, "."},
    {53, "/"},
    {54, "RIGHT SHIFT"},
    {55, "NUMPAD *"},
    {56, "LEFT MENU"},
    {57, "SPACE"},
    {58, "CAPS LOCK"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "NUM LOCK"},
    {70, "SCROLL LOCK"},
    {71, "NUMPAD 7"},
    {72, "NUMPAD 8"},
    {73, "NUMPAD 9"},
    {74, "NUMPAD -"},
    {75, "NUMPAD 4"},
    {76, "NUMPAD 5"},
    {77, "NUMPAD 6"},
    {78, "NUMPAD +"},
    {79, "NUMPAD 1"},
    {80, "NUMPAD 2"},
    {81, "NUMPAD 3"},
    {82, "NUMPAD 0"},
    {83, "NUMPAD DECIMAL"},
    {86, "OEM 102"},
    {87, "F11"},
    {88, "F12"},
    {100, "F13"},
    {101, "F14"},
    {102, "F15"},
    {153, "NEXT TRACK"},
    {156, "NUMPAD ENTER"},
    {157, "RIGHT CTRL"},
    {160, "MUTE"},
    {161, "CALCULATOR"},
    {162, "PLAY PAUSE"},
    {164, "MEDIA STOP"},
    {174, "VOLUME DOWN"},
    {176, "VOLUME UP"},
    {178, "WEB HOME"},
    {179, "NUMPAD COMMA"},
    {181, "NUMPAD /"},
    {183, "SYS RQ"},
    {184, "RIGHT ALT"},
    {197, "PAUSE"},
    {199, "HOME"},
    {200, "UP ARROW"},
    {201, "PAGE UP"},
    {203, "LEFT ARROW"},
    {205, "RIGHT ARROW"},
    {207, "END"},
    {208, "DOWN ARROW"},
    {209, "PAGE DOWN"},
    {210, "INSERT"},
    {211, "DELETE"},
    {219, "LEFT WINDOWS"},
    {220, "RIGHT WINDOWS"},
    {221, "APP MENU"},
    {222, "POWER"},
    {223, "SLEEP"},
    {229, "WEB SEARCH"},
    {230, "WEB FAVORITES"},
    {231, "WEB REFRESH"},
    {232, "WEB STOP"},
    {233, "WEB FORWARD"},
    {234, "WEB BACK"},
    {235, "MY COMPUTER"},
    {236, "MAIL"},
    {237, "MEDIA SELECT"},
};

// The key-name table: index = key code, empty for keys without a name.
constexpr auto keyNames = [] {
    std::array<std::string_view, KeyNameCount> names{};
    for (const NamedKey& k : namedKeys) names[k.code] = k.name;
    return names;
}();

// The pad-control name table: index = control number.
constexpr std::array<std::string_view, PadControlCount> padControlNames{
    "<choose>",        "X-axis -",        "X-axis +",        "Y-axis -",        "Y-axis +",
    "Z-axis -",        "Z-axis +",        "Rotate X-axis -", "Rotate X-axis +", "Rotate Y-axis -",
    "Rotate Y-axis +", "Rotate Z-axis -", "Rotate Z-axis +", "POV Up",          "POV Right",
    "POV Down",        "POV Left",        "Button 1",        "Button 2",        "Button 3",
    "Button 4",        "Button 5",        "Button 6",        "Button 7",        "Button 8",
    "Button 9",        "Button 10",       "Button 11",       "Button 12",       "Button 13",
    "Button 14",       "Button 15",       "Button 16",       "Button 17",       "Button 18",
    "Button 19",       "Button 20",       "Button 21",       "Button 22",       "Button 23",
    "Button 24",       "Button 25",       "Button 26",       "Button 27",       "Button 28",
    "Button 29",       "Button 30",       "Button 31",       "Button 32",
};

} // namespace dinput
