#pragma once
// The in-level overlay drawn over the 3D picture of every drawn frame (drawing step 14 of
// the game loop, after the hero, before the end of the scene):
//
//   (ResetAttempt)         at the start of every attempt: the start picture stands a third
//                          of the way down the screen, about to sink and fly off the top
//                          (inlevel.overlay, world/tables.h).
//   DrawOverlay(sprites, input, textureFolder)
//                          in this order: the white death fade, the status line (score,
//                          ammunition, jump power, lives with the last life fading with the
//                          energy), the author line while F2 is held, the start picture,
//                          the black exit fade over everything.
//   DrawPauseLine(sprites) the pause notice, drawn by the loop while the pause key is held.
//
// Positions of the status line are on the 1600-wide design canvas; everything else is in
// screen pixels.
#include "engine/dinput.h"
#include "render/sprites.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A kept run is being watched: "REPLAY" and its clock stand in the top right corner, the
// one the overlay leaves free.
extern bool WatchingReplay;
inline constexpr const char* ReplayCaption = "REPLAY";

void DrawOverlay(td2dsprites& sprites, const TDInput& input, std::string_view textureFolder);
// The two halves of DrawOverlay for a step drawn in several pictures: the start picture
// moves once a step (true while it is shown in that step), and every picture draws it
// where IntroSlide then says.
bool AdvanceIntroSlide();
void DrawOverlayPicture(td2dsprites& sprites, const TDInput& input, std::string_view textureFolder,
                        bool startPictureShown);
void DrawPauseLine(td2dsprites& sprites);

// The status line's texts, each with its screen position and its alpha.
struct tstatuspiece {
    std::string text;
    int32_t x;     // screen pixels
    int32_t alpha; // 0..255
};
// The pieces in drawing order; the ammunition is left out while no gun is held.
std::vector<tstatuspiece> StatusLine(const td2dsprites& sprites);
// The same into pieces (cleared first), for a caller that keeps them between pictures.
void StatusLineInto(const td2dsprites& sprites, std::vector<tstatuspiece>& pieces);

inline constexpr uint32_t StatusColour = 0x808000;
inline constexpr int32_t StatusLineRise = 30; // pixels above the bottom of the screen
inline constexpr int32_t AuthorKey = 60;      // F2
inline constexpr const char* PauseText = "Game paused - Press \"P\" to continue";
