#pragma once
// The screens outside play, one file each. Every screen runs its own loop on the frame
// timer (menu.h) and returns when the player leaves it; startup/flow.cpp decides what
// follows. Go on is Space, Enter or any pad button; back is Esc, and a closed window acts
// as Esc everywhere.
#include "render/services.h"
#include "world/playerrecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// mainmenu.cpp: the highlighted item, 0 "Play" .. 4 "Quit"; kept between visits.
extern int32_t MainMenuItem;
// chooselevel.cpp: the catalogue index of the level to play; kept between visits.
extern int32_t SelectedLevel;

// The screen on view, by the names runs and bug reports use: "intro", "main", "options",
// "player", "shop", "level", "play", "results", "epilogue"; empty before the first.
extern const char* CurrentScreen;
// The row under the cursor on the options screen (0..5) and in the shop (0..6).
extern int32_t OptionsRow;
extern int32_t ShopRow;

enum class MainMenuChoice { Play, Setup, Quit };
// The main menu until Play or Setup is confirmed, or the player leaves (Esc, or Quit).
MainMenuChoice MainMenu(tservices& services);

// options.cpp: keys, pads, sensitivity and volumes, changed in memory.
void OptionsScreen(tservices& services);

// chooseplayer.cpp: true when a living player was chosen (he is CurrentPlayer).
bool ChoosePlayer(tservices& services);

// shop.cpp: true on "Continue -->", false on Esc.
bool Shop(tservices& services);
// shop.cpp: the current player's status at (x, y) in design units, in the colour.
void DrawStatusPanel(tservices& services, int32_t x, int32_t y, uint32_t colour);
// One line of that panel: x in design units right of the panel, line heights below its top.
struct tstatusline {
    std::string text;
    int32_t dx = 0;
    int32_t line = 0;
    float scale = 1.0f;
};
// The lines the panel shows for a player; lines with nothing to say are left out.
std::vector<tstatusline> StatusLines(const tplayer& player);

// chooselevel.cpp: true when an open level was chosen (it is SelectedLevel).
bool ChooseLevel(tservices& services);
// What R and H do on the level choice: watch the selected level's kept best run of the
// current player, or its par run. Set by the screen flow; empty: the keys do nothing. The
// level choice comes back on the same level afterwards.
enum class WatchKind { BestRun, ParRun };
extern std::function<void(tservices&, WatchKind)> WatchFromLevelChoice;

// What the results screen is told about the level just played.
struct tresults {
    int32_t LevelOutcome = 0; // 0 retreated, 1 game over, 2 completed
    int32_t StartScore = 0;   // the player's score when the level was entered
    int64_t LevelTime = 0;    // milliseconds
    int64_t TimeRank = 10;    // place 1..5 among the fastest times; 10 none
    std::string SaveProblem;  // a file the settlement could not save, and why; empty: none
    int64_t ParFrames = -1;   // frames of the level's par run; -1: none
};
// results.cpp: true to go on (to the shop), false on Esc.
bool LevelResults(tservices& services, const tresults& results);

// story.cpp: the intro (at start, while loading; it loads the story cells) and the epilogue.
void Intro(tservices& services);
// The intro's opening picture, the bare paper, shown the moment the device exists: the
// window is never black while the first assets load.
void ShowIntroOpening(tservices& services);
void Epilogue(tservices& services);
// The twelve credit lines of the main menu.
inline constexpr int CreditLineCount = 12;
extern const char* const CreditLines[CreditLineCount];
