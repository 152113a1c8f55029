#pragma once
// The seven timing operations the intro and the epilogue are made of. Each looks at the
// story clock t (seconds) and a window start < t <= end, and outside its window does
// nothing. The maths are pure functions so the timelines can be checked without drawing;
// tstorydraw puts their answers on the screen.
#include "render/services.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace story {

// Open on the left, closed on the right: a step that ends at 11 still shows at 11, and the
// one that starts at 11 first shows just after.
constexpr bool InWindow(float t, float start, float end) {
    return t > start && t <= end;
}

// A fraction 0..1 as an opacity 0..255, rounded; outside that range clamped.
int Opacity(float fraction);

// How a panel is drawn: its scale on the design canvas and its opacity 0..255.
struct tpanellook {
    float scale = 1.0f;
    int alpha = 255;
};

// From twice the size down to its own over a one-second window, fading in.
std::optional<tpanellook> ZoomIn(float t, float start, float end);
// At the given scale, fading in.
std::optional<tpanellook> FadeIn(float t, float scale, float start, float end);
// Every t after `from`: at the given scale, opaque.
std::optional<tpanellook> Hold(float t, float scale, float from);

// The scroll of the strip inside the pan's window: base + progress x distance.
std::optional<float> Pan(float t, float base, float distance, float start, float end);

// A text's design position and opacity.
struct ttextlook {
    float x = 0.0f, y = 0.0f;
    int alpha = 255;
};
struct tpath {
    float x0, y0, x1, y1;
};
// Along the path with a sine ease (fast first, settling at the end), fading in with it.
std::optional<ttextlook> SlideIn(float t, const tpath& path, float start, float end);
// The same path and ease, fading out linearly.
std::optional<ttextlook> SlideOut(float t, const tpath& path, float start, float end);
// Standing still, opaque.
std::optional<ttextlook> TextHold(float t, float x, float y, float start, float end);

// Draws the operations for one frame at clock t, with the strip scrolled by `scroll`
// design units. Cells are story cell numbers (0..34); nothing is drawn before the story
// cells are loaded.
class tstorydraw {
  public:
    tstorydraw(tservices& services, float t, float scroll)
        : services_(services), t_(t), scroll_(scroll) {}

    void ZoomIn(int cell, float x, float y, float start, float end);
    void FadeIn(int cell, float x, float y, float scale, float start, float end);
    void Hold(int cell, float x, float y, float scale, float from);
    void SlideIn(std::string_view text, const tpath& path, float size, float start, float end);
    void SlideOut(std::string_view text, const tpath& path, float size, float start, float end);
    void TextHold(std::string_view text, float x, float y, float size, float start, float end);

    // The overlay patch in black over the whole screen.
    void Cover(int alpha);
    // A cell stretched over the whole screen.
    void Fill(int cell, uint32_t colour, int alpha);
    // The black bands above and below the menu picture's band.
    void Letterbox();

  private:
    void Panel(int cell, float x, float y, const std::optional<tpanellook>& look);
    void Text(std::string_view text, float size, const std::optional<ttextlook>& look);
    // Draws the cell's sprite stretched to the rectangle in pixels.
    void Stretch(int cell, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                 int alpha);

    tservices& services_;
    float t_;
    float scroll_;
};

// Loads the 35 story cells as sprites once and sets FirstStoryCell.
void LoadStoryCells(tservices& services);
// One frame of the story's paper colour, nothing on it (needs no picture).
void ShowPaper(tservices& services);

// Runs a story from clock 0: every frame draws the state for the clock as it reads then,
// as fast as the device shows frames. Ends once the clock has passed `length`, on any key
// or pad control, or when the window is closed.
void PlayStory(tservices& services, float length, const std::function<void(float t)>& draw);

} // namespace story
