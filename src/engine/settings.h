#pragma once
// The player's settings: screen choice, camera zoom, key and pad bindings, pad sensitivity
// and the two volumes. They live here, below the game code, because the options screen,
// the game loop and the sound all read or change them; "setup.xml" is read and written by
// startup/settings.
#include <cstdint>
#include <string>

struct tsettings {
    int32_t CameraZoom = 50;        // camera distance 0..100
    std::string AdapterSetting;     // display adapter to preselect in the setup dialog
    std::string ModeSetting;        // display-mode entry text to preselect
    int32_t DepthSetting = 0;       // depth/stencil format number to preselect
    int32_t TextureSizeSetting = 1; // 0 = "1024x1024", 1 = "2048x2048"
    // 1: play is drawn at the display's rate, between the steps; 0: one picture per step.
    int32_t SmoothPicture = 1;
    int32_t MusicVolume = 100;  // percent
    int32_t EffectVolume = 100; // percent
    bool GhostRuns = true;      // the ghost of the player's best run walks beside him
    // Keyboard bindings: key codes 1..255.
    int32_t KeyLeft = 203;   // LEFT ARROW
    int32_t KeyRight = 205;  // RIGHT ARROW
    int32_t KeyUp = 200;     // UP ARROW
    int32_t KeyDown = 208;   // DOWN ARROW
    int32_t KeyJump = 57;    // SPACE
    int32_t KeyFire = 157;   // RIGHT CTRL
    int32_t KeyChange = 184; // RIGHT ALT: change gun
    int32_t KeyGuide = 36;   // J: jump guide on/off
    // Pad bindings: control numbers 1..48 (axes 1..12, hat 13..16, buttons 17..48).
    int32_t PadLeft = 1;         // "X-axis -"
    int32_t PadRight = 2;        // "X-axis +"
    int32_t PadUp = 3;           // "Y-axis -"
    int32_t PadDown = 4;         // "Y-axis +"
    int32_t PadJump = 19;        // "Button 3"
    int32_t PadFire = 17;        // "Button 1"
    int32_t PadChange = 18;      // "Button 2"
    int32_t PadGuide = 20;       // "Button 4"
    int32_t PadSensitivity = 70; // percent; the input object clamps it to 30..100
};

// The one set of settings of the running program. Defaults are its initial values; they
// are not reset anywhere else (tests assign tsettings{}).
extern tsettings settings;

// Fixed keys that are never stored.
inline constexpr int32_t KeyEscape = 1;
inline constexpr int32_t KeyPause = 25;
// The menus' own keys (the bindings above are for play).
inline constexpr int32_t KeyEnter = 28;
inline constexpr int32_t KeySpace = 57;
inline constexpr int32_t KeyBackspace = 14;
inline constexpr int32_t KeyArrowUp = 200;
inline constexpr int32_t KeyPageUp = 201;
inline constexpr int32_t KeyArrowLeft = 203;
inline constexpr int32_t KeyArrowRight = 205;
inline constexpr int32_t KeyArrowDown = 208;
inline constexpr int32_t KeyPageDown = 209;
inline constexpr int32_t KeyDelete = 211;

// Every integer setting under its own name, for code that lists them all.
struct NamedSetting {
    const char* name;
    int32_t tsettings::*field;
};
inline constexpr NamedSetting IntegerSettings[] = {
    {"CameraZoom", &tsettings::CameraZoom},
    {"DepthSetting", &tsettings::DepthSetting},
    {"TextureSizeSetting", &tsettings::TextureSizeSetting},
    {"SmoothPicture", &tsettings::SmoothPicture},
    {"MusicVolume", &tsettings::MusicVolume},
    {"EffectVolume", &tsettings::EffectVolume},
    {"KeyLeft", &tsettings::KeyLeft},
    {"KeyRight", &tsettings::KeyRight},
    {"KeyUp", &tsettings::KeyUp},
    {"KeyDown", &tsettings::KeyDown},
    {"KeyJump", &tsettings::KeyJump},
    {"KeyFire", &tsettings::KeyFire},
    {"KeyChange", &tsettings::KeyChange},
    {"KeyGuide", &tsettings::KeyGuide},
    {"PadLeft", &tsettings::PadLeft},
    {"PadRight", &tsettings::PadRight},
    {"PadUp", &tsettings::PadUp},
    {"PadDown", &tsettings::PadDown},
    {"PadJump", &tsettings::PadJump},
    {"PadFire", &tsettings::PadFire},
    {"PadChange", &tsettings::PadChange},
    {"PadGuide", &tsettings::PadGuide},
    {"PadSensitivity", &tsettings::PadSensitivity},
};
