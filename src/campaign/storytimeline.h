#pragma once
// The timelines of the intro and the epilogue: when each panel comes in, where the strip
// scrolls, what the texts do. Times are seconds on the story clock, positions design units
// on the strip (panels) or on the screen (texts).
#include "campaign/storydraw.h"

#include <array>
#include <limits>
#include <span>

namespace story {

inline constexpr float Never = std::numeric_limits<float>::infinity();

// The strip scrolls by `distance` over the window, starting from `base`.
struct tpan {
    float base, distance, start, end;
};

// The scroll at clock t. Finished pans keep their end value even if no frame happened to
// fall inside their window, so a slow frame cannot leave the strip half-way.
constexpr float ScrollAt(float t, std::span<const tpan> pans) {
    float scroll = 0.0f;
    for (const tpan& p : pans) {
        if (!(t > p.start)) break;
        const float progress = t >= p.end ? 1.0f : (t - p.start) / (p.end - p.start);
        scroll = p.base + progress * p.distance;
    }
    return scroll;
}

enum class tentrance { ZoomIn, FadeIn, None };

// A panel comes in over its window, is held from the window's end, and is dropped once it
// has scrolled out of sight.
struct tpanel {
    int cell;
    tentrance entrance;
    float x, y, scale, start, end;
    float goneAt = Never;
};

enum class tmove { SlideIn, SlideOut, Hold };

struct ttextstep {
    tmove move;
    const char* text;
    float size;
    tpath path; // a hold stands at (x0, y0)
    float start, end;
};

// The screen darkens to the overlay colour over the window and stays dark until `until`.
struct tfade {
    float start, end, until;
};

// The intro.

inline constexpr float IntroLength = 74.0f;

inline constexpr std::array<tpan, 5> IntroPans{{
    {0, 528, 10, 11},
    {528, 528, 17, 18},
    {1056, 528, 25, 26},
    {1584, 630, 32, 33},
    {2214, 410, 45.5f, 46.5f},
}};

namespace timeline_detail {
using E = tentrance;
constexpr float Row1Gone = 19, Row2Gone = 29, Row3Gone = 38, Row4Gone = 46;
} // namespace timeline_detail

// Drawn in this order; the closing panel 26 lies under the caption 24.
inline constexpr auto IntroPanels = [] {
    using namespace timeline_detail;
    return std::array<tpanel, 26>{{
        {0, E::FadeIn, 288, 300, 1, 5, 6, Row1Gone},
        {1, E::FadeIn, 1028, 764, 1.5f, 8, 9, Row1Gone},
        {2, E::ZoomIn, 288, 828, 1, 11, 12, Row2Gone},
        {3, E::FadeIn, 300, 838, 1.5f, 12, 13, Row2Gone},
        {4, E::FadeIn, 622, 838, 1.5f, 13, 14, Row2Gone},
        {5, E::ZoomIn, 654, 828, 1, 13.5f, 14.5f, Row2Gone},
        {6, E::FadeIn, 962, 828, 1, 15, 16, Row2Gone},
        {7, E::FadeIn, 288, 1356, 1, 17, 18, Row3Gone},
        {8, E::FadeIn, 750, 1356, 1, 19, 20, Row3Gone},
        {9, E::FadeIn, 750, 1620, 1, 21, 22, Row3Gone},
        {10, E::FadeIn, 1122, 1456, 1.5f, 22.5f, 23.5f, Row3Gone},
        {11, E::FadeIn, 1132, 1566, 1.5f, 24, 25, Row3Gone},
        {12, E::ZoomIn, 288, 1884, 1, 25, 26, Row4Gone},
        {13, E::FadeIn, 408, 2194, 1.5f, 26, 27, Row4Gone},
        {14, E::FadeIn, 602, 1884, 1, 27, 28, Row4Gone},
        {15, E::FadeIn, 542, 1894, 1.5f, 28, 29, Row4Gone},
        {16, E::ZoomIn, 916, 1884, 1, 29, 30, Row4Gone},
        {17, E::FadeIn, 926, 1894, 1.5f, 29, 30, Row4Gone},
        {18, E::ZoomIn, 288, 2514, 1, 32, 33},
        {20, E::FadeIn, 632, 2524, 1.5f, 34, 35},
        {19, E::FadeIn, 602, 2514, 1, 35, 36},
        {21, E::FadeIn, 916, 2514, 1, 36.5f, 37.5f},
        {22, E::FadeIn, 916, 2727, 1, 38.5f, 39.5f},
        {23, E::FadeIn, 1000, 2860, 1.5f, 41, 42},
        {26, E::None, 288, 2940, 1, 45, 46},
        {24, E::FadeIn, 298, 2950, 1.5f, 44, 45},
    }};
}();

inline constexpr tfade IntroFade{53, 55, 69.5f};

inline constexpr const char* MakerLine = "Quorvane Proudly Presents";
inline constexpr const char* GameTitle = "Tarnhollow";

// Each line comes in twice at once, one copy settling and one passing through, then stands.
inline constexpr std::array<ttextstep, 7> IntroTexts{{
    {tmove::SlideIn, MakerLine, 2, {1100, 400, 600, 400}, 56, 58},
    {tmove::SlideOut, MakerLine, 2, {1100, 400, 0, 400}, 56, 58},
    {tmove::Hold, MakerLine, 2, {600, 400, 600, 400}, 58, 61},
    {tmove::SlideOut, MakerLine, 2, {600, 400, 0, 400}, 61, 63},
    {tmove::SlideIn, GameTitle, 3, {1100, 400, 600, 400}, 62, 64},
    {tmove::SlideOut, GameTitle, 3, {1100, 400, 0, 400}, 62, 64},
    {tmove::Hold, GameTitle, 3, {600, 400, 600, 400}, 64, 69},
}};

// From here the main menu's picture shows, under the dark picture fading away.
inline constexpr float MenuPictureFrom = 69.0f;
inline constexpr float MenuPictureFadeEnd = 70.0f;

// The epilogue.

inline constexpr float EpilogueLength = 35.0f;

inline constexpr std::array<tpan, 1> EpiloguePans{{{0, 300, 17, 18}}};

inline constexpr std::array<tpanel, 5> EpiloguePanels{{
    {27, tentrance::ZoomIn, 288, 300, 1, 3, 4},
    {28, tentrance::ZoomIn, 800, 300, 1, 8, 9},
    {29, tentrance::ZoomIn, 288, 812, 1, 18, 19},
    {30, tentrance::FadeIn, 1138, 1162, 1.5f, 23, 24},
    {31, tentrance::FadeIn, 1148, 1212, 1.5f, 25, 26},
}};

inline constexpr tfade EpilogueFade{29, 30, Never};

inline constexpr const char* EpilogueWord = "Epilogue";
inline constexpr std::array<ttextstep, 2> EpilogueTexts{{
    {tmove::SlideOut, EpilogueWord, 3, {1100, 400, 600, 400}, 0, 2},
    {tmove::SlideOut, EpilogueWord, 3, {1100, 400, 0, 400}, 0, 2},
}};

} // namespace story
