#pragma once
// Playing one level: GameLoop takes the engine services and the level's document and
// returns how the level ended. Its pieces, one file each:
//   gameloop.cpp        entry, the attempts and the end of the level (outcome, lives, Escape)
//   gameloopattempt.cpp the start of every attempt
//   gameloopframe.cpp   one simulation step: the frame's eighteen steps in their order
//   gameloopdraw.cpp    drawing a frame, pause, waiting for the next tick
//   gamelooppace.cpp    the pictures drawn between two steps at the display's rate
#include "engine/xmlparser.h"
#include "render/services.h"

#include <array>
#include <cstdint>

// Key codes the loop reads directly (the bindable ones are in the settings).
inline constexpr int32_t KeyScreenshot = 59; // F1
inline constexpr int32_t KeyZoomIn = 61;     // F3
inline constexpr int32_t KeyZoomOut = 62;    // F4
inline constexpr int32_t FramesPerSecond = 35;

// Vision: rays every whole degree all round, each at most this many cells beyond the hero's.
inline constexpr int32_t SightCells = 12;
// Both fades end the attempt when they reach this.
inline constexpr int32_t FadeEnd = 64;
// A hero below this height has fallen into a pit.
inline constexpr float FallenHeight = -10.0f;

// How a level ended.
inline constexpr int32_t OutcomeRetreated = 0; // left with Escape (or the window closed)
inline constexpr int32_t OutcomeGameOver = 1;  // no lives left
inline constexpr int32_t OutcomeCompleted = 2;
inline constexpr int32_t OutcomeStopped = -1; // afterFrame stopped the run mid-level

// Plays the level until it is completed, lost or left, and returns the outcome. A level the
// world refuses ends at once as retreated, with the player's lives and money untouched.
int32_t GameLoop(tservices& services, const tnode& level);

// Sets the world up for a new attempt from the level; false when the level cannot be loaded.
bool StartAttempt(tservices& services);
// One simulation step, drawn or skipped by the timer; false once the attempt is over.
bool PlayFrame(tservices& services);
// Marks the cells the hero can see from where he stands.
void VisionSweep();
// The picture of one frame, from the clear to the present.
void DrawFrame(tservices& services);
// After presenting: a held pause key, or the window losing the keyboard focus (or the pad
// being pulled out), stops the game until the pause key is pressed again.
void PauseIfAsked(tservices& services);
// The screenshot of a held F1: "screenshots\pic<n>.bmp" in the user folder; the folder is
// made when missing.
void SaveScreenshot(tservices& services);
// The camera's eye height and its distance behind the hero at the zoom and exit fade.
float CameraHeight(int32_t zoom, int32_t exitFade);
float CameraBack(int32_t zoom, int32_t exitFade);

// Where the camera of play stands and looks: above and behind the hero at the player's zoom
// and the exit fade, looking at the ground under him (drawing step 2).
struct tcamera {
    float eyeX, eyeY, eyeZ;
    float atX, atY, atZ;
};
tcamera PlayCamera();

// What drawing a step changes in the game, done once a step however many pictures show it:
// the muzzle light's fading, the reload countdown, the next shell's ejection and the start
// picture's slide. DrawFrame is TakeStepLook then one DrawPicture.
struct tsteplook {
    int32_t muzzleLight = 0;   // range in tenths of this step's muzzle light
    bool startPicture = false; // the start picture is shown in this step
};
tsteplook TakeStepLook();
// One picture of play from the tables as they are, seen by the camera.
void DrawPicture(tservices& services, const tsteplook& look, const tcamera& camera);

// What the last picture of play showed (traces read it).
struct tdrawnpicture {
    int64_t drawn = 0;             // pictures drawn since the program started
    int64_t frame = 0;             // the step they show, counted as loopstate.frames
    float alpha = 0.0f;            // how far between the step before and that step, 0 <= alpha < 1
    std::array<float, 3> hero{};   // column, height, row of the hero as drawn
    std::array<float, 3> camera{}; // the camera's eye
};
extern tdrawnpicture drawnpicture;

// Step 14 at the display's rate (services.displayHz): pictures between the step before and
// this one until the next step is due, at most one a refresh, none when the step is late.
// False when the step was left undrawn.
bool DrawBetweenSteps(tservices& services);
