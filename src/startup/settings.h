#pragma once
// "setup.xml": read once at start-up, written once when the player quits from the main menu.
// The settings variables themselves are in engine/settings.h.
#include "engine/settings.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr const char* SettingsFileName = "setup.xml";
// The file takes under a kilobyte.
inline constexpr size_t LargestSettingsFile = size_t{64} << 10;

// Applies a settings document to `settings`, element by element in reading order, so a
// fault part-way leaves the values read before it applied; then KeepSettingsInRange. False
// when the file cannot be read, is malformed, lacks a required element or holds a leaf
// that is not a number. Never deletes anything.
bool ApplySettingsDocument(std::string_view fileName);

// Brings every value into what the game can use, so no screen sees another: zoom and the
// volumes 0..100, pad sensitivity 30..100, the texture index 0..1 (each to the nearer end);
// a key or pad code without a name in its table to the action's default; a mode that is
// not one the setup dialog could list to none (the dialog then picks its first entry and a
// start without the dialog its default size).
void KeepSettingsInRange(tsettings& values);

// The size of a mode text when it is one the setup dialog can list: "WxH" or one of the
// dialog's entries ("1024x768 (32 bit colors)", "1024x768 (window)"), 640..1600 x 480..1200.
bool ModeSize(std::string_view mode, int32_t& width, int32_t& height);

// Start-up: when "setup.xml" exists in the user folder, apply it; a corrupted file is reported with
// "setup.xml file is corrupted" and deleted, and start-up goes on.
void ApplySettingsFile();

// The one-line form of the settings file. padSensitivity is the input object's current
// sensitivity, which follows the options screen.
std::string SettingsFileText(const tsettings& values, int32_t padSensitivity);

// Writes SettingsFileText safely (temporary file, then rename) to fileName in the user
// folder (an absolute fileName stays where it points); false when the file cannot be
// written, in which case the old file is untouched.
bool WriteSettingsFile(std::string_view fileName, int32_t padSensitivity);
