#pragma once
// The program's command-line options. Parsing is a pure function so it can be tested
// without starting anything.
#include <string>
#include <vector>

struct tprogramoptions {
    enum Action { Run, Help, Version, Fail } action = Run;
    bool skipSetup = false;        // start the game at once with the saved choice
    bool windowed = false;         // force a window whatever the choice says
    std::string dialogPicture;     // draw the setup dialog into this PNG file and end
    std::string playLevel;         // play this level file at once and end with it
    int playSlot = 0;              // with this players-file slot (1..10); 0 = a test player
    bool classicFrameRate = false; // one picture per step whatever the settings say
    std::string error;             // for Fail: what was wrong
};

inline constexpr const char* VersionText = "tarnhollow 1.0";

tprogramoptions ParseProgramOptions(const std::vector<std::string>& arguments);
std::string UsageText();
