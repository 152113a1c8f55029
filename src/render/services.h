#pragma once
// The engine services every loop of the game works with: the window and graphics device,
// the sprite batch, sound, input and the frame timer, and the seams that let a run without
// a person (tests, the companion tool) drive them. Start-up owns the one record; the game
// loop and every screen borrow it and never see the window system.
#include "engine/dgraphics.h"
#include "engine/dinput.h"
#include "engine/dtimer.h"
#include "engine/soundfx.h"
#include "platform/window.h"
#include "render/sprites.h"

#include <cstdint>
#include <functional>
#include <memory>

struct tservices {
    std::unique_ptr<window::Window> window; // the desktop window; made first, closed last
    std::unique_ptr<TDGraphics> graphics;
    std::unique_ptr<td2dsprites> sprites;
    // The story cells, cut by the intro from its own sheets in a batch of their own, so
    // that the numbers of the game's sprites stay those of the load order.
    std::unique_ptr<td2dsprites> storySprites;
    std::unique_ptr<taudiere> sound;
    std::unique_ptr<TDInput> input;
    std::unique_ptr<tdtimer> timer;

    // Seams; the defaults are what the real game does.
    //
    // Called while a loop waits for its next tick. Default: sleep until the tick is due.
    // A run on a virtual clock moves its clock here instead.
    std::function<void()> waitForTick;
    // True when the input will never change again (a key script that has run out): a pause
    // then cannot be ended by a key and is left at once.
    std::function<bool()> inputEnded;
    // Called after every frame of the game loop; false stops the level at once, without an
    // outcome.
    std::function<bool()> afterFrame;
    // Decides instead of the timer whether the frame about to be drawn is left undrawn (a
    // replay leaves undrawn the frames its recording game did). Default: the timer decides.
    std::function<bool()> frameUndrawn;
    // Play drawn between its steps: the display's refreshes a second, 0 for one picture per
    // step as the game has always drawn; and whether showing a picture waits for the refresh.
    int32_t displayHz = 0;
    bool vsync = false;
    // Called while play waits for its next refresh or tick, with the counts of the frame
    // timer's clock to wait. Default: sleep that long. A run on a virtual clock moves it.
    std::function<void(int64_t counts)> waitCounts;
    // Called after every picture of play has been shown.
    std::function<void()> afterDraw;

    bool cursorHidden = false; // so the release shows it again

    tservices() = default;
    tservices(const tservices&) = delete;
    tservices& operator=(const tservices&) = delete;
    ~tservices() { Release(); }

    // Releases what was created, in the game's fixed order: timer, sound, input, sprites,
    // graphics, then the cursor comes back. Safe to call again.
    void Release();

    // The desktop asked the program to end: every loop leaves as if Esc were held.
    bool Closing() const { return input && input->CloseRequested(); }
    // Milliseconds on the frame timer's clock (the level time, the sway of menu rows).
    uint32_t TickCount() const { return timer ? timer->TickCount() : 0; }
    // Once the graphics device exists: the model store on it, the sprite batch, sound, input
    // (from the source, or the machine's keyboard and pads when it is empty) and the frame
    // timer (on the clock, or the machine's counter). False when the input cannot be
    // opened (its message has been shown).
    bool CreateOnDevice(std::unique_ptr<input::InputSource> source, tcountersource* clock);

    // The click of every menu choice.
    void Click() const;
    // Plays an effect at the effect volume of the settings.
    void PlayEffect(int effect) const;
    // Waits until none of Space, Enter and the pad buttons is held (and, with escape,
    // neither Esc): what every screen does when it is left, so the next screen does not
    // see the same press.
    void WaitConfirmReleased(bool escape = false) const;
};

// Whether the frame about to be drawn is left undrawn: the schedule is already behind, or a
// replay says its recording game left it so.
bool FrameBehind(tservices& services);
// The one rhythm of every paced loop: draw the frame unless the schedule is already
// behind, then sleep until the next tick is due. The caller polls after it.
void DrawUnlessBehind(tservices& services, const std::function<void()>& draw);
// One pass of a screen: DrawUnlessBehind, then poll the input. False once the program is
// asked to end.
bool NextFrame(tservices& services, const std::function<void()>& draw);
// Sleeps (or lets the seam move the clock) until the next tick is due, and takes it.
void WaitForTick(tservices& services);
