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
// fault part-way leaves the values read before it applied. False when the file cannot be
// read, is malformed, lacks a required element or holds a leaf that is not a number.
// Never deletes anything.
bool ApplySettingsDocument(std::string_view fileName);

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
