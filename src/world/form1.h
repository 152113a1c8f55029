#pragma once
// The game window TForm1: it owns the five engine services from start-up until it is
// destroyed, and its methods are the game's long-running loops.
//
// It is declared here, in world/, because its GameLoop method plays a level and lives with
// the world code, while start-up (which sits above the world) defines the methods that
// create the services and run the screens. Start-up can include this header; the world
// could not include one of start-up's.
#include "engine/dgraphics.h"
#include "engine/dinput.h"
#include "engine/dtimer.h"
#include "engine/soundfx.h"
#include "platform/window.h"
#include "render/sprites.h"
#include "world/engineoutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The texture-size choice of the setup dialog: "gfx1024\" or "gfx2048\". Every model file
// name and the texture sheet are read from this folder.
extern std::string TextureFolder;
inline constexpr const char* TextureFolder1024 = "gfx1024\\";
inline constexpr const char* TextureFolder2048 = "gfx2048\\";

// How a level played by GameLoop ended: 0 retreated with Escape, 1 game over (also when the
// level could not be loaded: the player then has no lives and no money left), 2 completed.
extern int32_t LevelOutcome;
// The player's score when the level was entered; every attempt starts from it.
extern int32_t StartScore;

class TForm1 {
  public:
    // The window on the desktop the device draws into; made with the form, closed last.
    std::unique_ptr<window::Window> window;
    // The engine services, each empty until created.
    std::unique_ptr<TDInput> input;
    std::unique_ptr<taudiere> sound;
    std::unique_ptr<td2dsprites> sprites;
    std::unique_ptr<TDGraphics> graphics;
    std::unique_ptr<tdtimer> timer;
    int32_t LoadingStep = 0; // updates of the loading picture so far

    // Set once the mouse cursor has been hidden, so the teardown shows it again.
    bool cursorHidden = false;

    // Seams for runs without a person in front of the screen (tools, tests). The defaults
    // are what the real game does.
    //
    // Called while the frame loop waits for the next tick. Default: sleep a millisecond,
    // which leaves the schedule to the timer (it counts periods, never the sleeps). A run
    // on a virtual clock moves its clock here instead.
    std::function<void()> waitForTick;
    // True when the input will never change again (a key script that has run out): the
    // pause then cannot be ended by a key and is left at once.
    std::function<bool()> inputEnded;
    // Called after every frame of GameLoop; answering false stops the level at once, with
    // LevelOutcome left as it was.
    std::function<bool()> afterFrame;

    // The window's create event.
    void FormCreate();
    // The window's destroy event (named so for historical reasons): releases the services
    // in a fixed order, each only if it was created.
    void FormDeactivate();

    // Points the world's sounds and models at this window's sound object and model store;
    // the teardown disconnects them again before the sound object goes.
    void ConnectWorldOutput();

    // Plays the level in `leveldoc` until it is completed, lost or left (see gameloop.h).
    void GameLoop();

  private:
    std::unique_ptr<tengineoutput> output_;
};
