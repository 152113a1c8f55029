#pragma once
// The game window TForm1: the owner of the engine services from "Start the Game" until it
// is destroyed. Its methods are the start of the game (InitializeDx), the loading picture
// (WaitPicture) and the settlement of a level (PlayTheGame); the screens and the game loop
// borrow its services and never see the window.
#include "engine/xmlparser.h"
#include "platform/inputsource.h"
#include "render/services.h"
#include "world/engineoutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct tlvl;

// The choice the setup dialog hands to InitializeDx.
struct tscreenchoice {
    int32_t adapter = 0;
    int32_t format = 23;      // colour format number: 22 32-bit, 23 16-bit
    int32_t depthFormat = 80; // depth format number
    bool windowed = true;
    bool classicFrameRate = false; // one picture per step whatever SmoothPicture says
};

class TForm1 {
  public:
    tservices services;
    tscreenchoice choice;

    int32_t LoadingStep = 0;  // updates of the loading picture so far
    int32_t LevelOutcome = 0; // how the last level ended (see world/loop/gameloop.h)
    int64_t LevelTime = 0;    // milliseconds the last level took, retries and pauses included
    int64_t TimeRank = 10;    // place 1..5 of LevelTime among the level's times; 10 none
    int32_t StartScore = 0;   // the player's score when the last level was entered
    std::string SaveProblem;  // what the last settlement could not save; empty when all was

    // Seams for runs without a person (the companion's `run`, tests). Empty: the real game.
    //
    // Makes the graphics device in place of the desktop window and GL; false when it
    // could not be made (the message has been shown).
    std::function<bool(tservices&)> makeDevice;
    // The input source in place of the machine's keyboard and pads.
    std::function<std::unique_ptr<input::InputSource>()> makeInput;
    // The clock of the frame timer in place of the machine's counter; must outlive the form.
    tcountersource* clock = nullptr;
    // Seeds the random generator in place of the clock when the main menu is entered.
    std::function<uint32_t()> seed;
    // No loading picture while StartWithoutMenus loads the assets: a run that counts every
    // picture and every poll of its input sees only the level's.
    bool quietLoading = false;

    // The window's create event.
    void FormCreate();
    // The window's destroy event (named so for historical reasons): releases the services
    // in a fixed order, each only if it was created.
    void FormDeactivate();

    // "Start the Game": makes the services, plays the intro, loads everything, and runs the
    // main menu until Quit. False when the start stopped (the message has been shown).
    bool InitializeDx();
    // Plays SelectedLevel for CurrentPlayer and settles it; sets mainMenuItem to 1 when the
    // player entered a record table.
    void PlayTheGame(int32_t& mainMenuItem);
    // Makes the services and loads every asset as InitializeDx does, without the intro and
    // the menus (for runs that drive the screens themselves). False when the start stopped
    // (the message has been shown).
    bool StartWithoutMenus();
    // StartWithoutMenus, then plays the level file with TestPlayer(slot) until the level ends.
    // Writes nothing. The game loop's outcome, or -1 when it could not start.
    int32_t PlayLevelFile(const std::string& path, int slot);
    // Advances LoadingStep and shows the loading picture once.
    void WaitPicture();

    // Points the world's sounds and models at the services; the release disconnects them.
    void ConnectWorldOutput();

  private:
    bool CreateServices();
    // PlayTheGame but for handing the level's memory back.
    void PlayAndSettle(int32_t& mainMenuItem);
    // The ghost of the current player's best run of the level, when one is kept for this
    // version of the level and the settings want him.
    void StartGhost(const tlvl& level, std::string_view levelBytes, const tnode& document);

    std::unique_ptr<tengineoutput> output_;
};
