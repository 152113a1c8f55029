#include "campaign/storydraw.h"

#include "campaign/menu.h"
#include "campaign/storycells.h"
#include "render/assetorder.h"
#include "render/displaypace.h"
#include "render/screenlayout.h"
#include "render/text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace story {

namespace {

constexpr uint32_t TextColour = 0xFFFFFF;
constexpr uint32_t TextOutline = 0xCCCCCC;
constexpr uint32_t Black = 0x000000;

// The paper of the strip shows until the menu picture takes over.
constexpr float PaperUntil = 69.0f;
constexpr int PaperRed = 221, PaperGreen = 215, PaperBlue = 198;

// How far through its window the clock is, 0..1.
float Progress(float t, float start, float end) {
    return (t - start) / (end - start);
}

float Ease(float t, float start, float end) {
    return std::sin(Progress(t, start, end) * std::numbers::pi_v<float> / 2.0f);
}

float Along(float from, float to, float k) {
    return from + k * (to - from);
}

// Outside the window a step has no look; inside, the look the caller computes.
template <class F> auto During(float t, float start, float end, F look) {
    return InWindow(t, start, end) ? std::optional(look()) : std::nullopt;
}

} // namespace

int Opacity(float fraction) {
    return std::clamp(static_cast<int>(std::lround(fraction * 255.0f)), 0, 255);
}

std::optional<tpanellook> ZoomIn(float t, float start, float end) {
    return During(t, start, end, [&] {
        return tpanellook{end + 1.0f - t, Opacity(1.0f - (end - t))};
    });
}

std::optional<tpanellook> FadeIn(float t, float scale, float start, float end) {
    return During(t, start, end, [&] { return tpanellook{scale, Opacity(1.0f - (end - t))}; });
}

std::optional<tpanellook> Hold(float t, float scale, float from) {
    if (!(t > from)) return std::nullopt;
    return tpanellook{scale, 255};
}

std::optional<float> Pan(float t, float base, float distance, float start, float end) {
    return During(t, start, end, [&] { return base + Progress(t, start, end) * distance; });
}

std::optional<ttextlook> SlideIn(float t, const tpath& path, float start, float end) {
    return During(t, start, end, [&] {
        const float k = Ease(t, start, end);
        return ttextlook{Along(path.x0, path.x1, k), Along(path.y0, path.y1, k), Opacity(k)};
    });
}

std::optional<ttextlook> SlideOut(float t, const tpath& path, float start, float end) {
    return During(t, start, end, [&] {
        const float k = Ease(t, start, end);
        return ttextlook{Along(path.x0, path.x1, k), Along(path.y0, path.y1, k),
                         Opacity(1.0f - Progress(t, start, end))};
    });
}

std::optional<ttextlook> TextHold(float t, float x, float y, float start, float end) {
    return During(t, start, end, [&] { return ttextlook{x, y, 255}; });
}

void tstorydraw::ZoomIn(int cell, float x, float y, float start, float end) {
    Panel(cell, x, y, story::ZoomIn(t_, start, end));
}

void tstorydraw::FadeIn(int cell, float x, float y, float scale, float start, float end) {
    Panel(cell, x, y, story::FadeIn(t_, scale, start, end));
}

void tstorydraw::Hold(int cell, float x, float y, float scale, float from) {
    Panel(cell, x, y, story::Hold(t_, scale, from));
}

void tstorydraw::SlideIn(std::string_view text, const tpath& path, float size, float start,
                         float end) {
    Text(text, size, story::SlideIn(t_, path, start, end));
}

void tstorydraw::SlideOut(std::string_view text, const tpath& path, float size, float start,
                          float end) {
    Text(text, size, story::SlideOut(t_, path, start, end));
}

void tstorydraw::TextHold(std::string_view text, float x, float y, float size, float start,
                          float end) {
    Text(text, size, story::TextHold(t_, x, y, start, end));
}

void tstorydraw::Cover(int alpha) {
    Fill(StoryOverlayCell, Black, alpha);
}

void tstorydraw::Fill(int cell, uint32_t colour, int alpha) {
    Stretch(cell, 0, 0, ScreenWidth, ScreenHeight, colour, alpha);
}

void tstorydraw::Letterbox() {
    const int32_t band = ScreenHeight * 75 / 600;
    Stretch(StoryOverlayCell, 0, 0, ScreenWidth, band, Black, 255);
    Stretch(StoryOverlayCell, 0, ScreenHeight - band, ScreenWidth, band, Black, 255);
}

void tstorydraw::Panel(int cell, float x, float y, const std::optional<tpanellook>& look) {
    if (!look || !services_.storySprites) return;
    services_.storySprites->DrawSpriteScaled(FirstStoryCell + cell, ScreenX(x),
                                             ScreenY(y - scroll_), look->scale * ScaleX,
                                             look->scale * ScaleY, TextColour, look->alpha);
}

void tstorydraw::Text(std::string_view text, float size, const std::optional<ttextlook>& look) {
    if (!look) return;
    DrawOutlinedText(*services_.sprites, ScreenX(look->x), ScreenY(look->y), text, TextOutline,
                     size, false, sprites::FirstFontGlyph, TextColour, look->alpha);
}

void tstorydraw::Stretch(int cell, int32_t x, int32_t y, int32_t width, int32_t height,
                         uint32_t colour, int alpha) {
    if (!services_.storySprites) return;
    td2dsprites& cells = *services_.storySprites;
    const int sprite = FirstStoryCell + (cell == StoryOverlayCell ? StoryPatchSprite : cell);
    if (!cells.Valid(sprite)) return;
    const tsprite& patch = cells.Sprite(sprite);
    const float patchWidth = static_cast<float>(std::max(1, patch.right - patch.left));
    const float patchHeight = static_cast<float>(std::max(1, patch.bottom - patch.top));
    cells.DrawSpriteScaled(sprite, x, y, static_cast<float>(width) / patchWidth,
                           static_cast<float>(height) / patchHeight, colour, alpha);
}

void LoadStoryCells(tservices& services) {
    if (services.storySprites) return; // they stay loaded for the whole run
    services.storySprites = std::make_unique<td2dsprites>(services.graphics->Device());
    int first = -1;
    for (const StoryCell& c : StoryCells) {
        const int index = services.storySprites->AddSprite(StorySheetFiles[c.sheet - 1], c.left,
                                                           c.top, c.width, c.height);
        if (first < 0) first = index;
    }
    const StoryCell& patch = StoryCells[StoryOverlayCell];
    services.storySprites->AddSprite(StorySheetFiles[patch.sheet - 1], patch.left + StoryPatchInset,
                                     patch.top + StoryPatchInset, patch.width - 2 * StoryPatchInset,
                                     patch.height - 2 * StoryPatchInset);
    FirstStoryCell = first;
}

void ShowPaper(tservices& services) {
    services.graphics->Clear(PaperRed, PaperGreen, PaperBlue);
    services.graphics->BeginFrame(1.0f, 1.0f);
    services.graphics->EndFrame();
}

void PlayStory(tservices& services, float length, const std::function<void(float t)>& draw) {
    services.timer->MarkTime();
    for (;;) {
        const float t = services.timer->SecondsSinceMark();
        if (t <= PaperUntil)
            services.graphics->Clear(PaperRed, PaperGreen, PaperBlue);
        else
            services.graphics->Clear(0, 0, 0);
        services.graphics->BeginFrame(1.0f, 1.0f);
        draw(t);
        tstorydraw(services, t, 0.0f).Letterbox();
        services.graphics->EndFrame();
        // The story's clock runs on its own; without the display's wait the pictures are
        // still held to its rate rather than drawn as fast as the machine can.
        if (services.displayHz > 0 && !services.vsync) WaitForRefresh(services);

        services.input->Poll();
        const TDInput& in = *services.input;
        if (in.HighestKeyDown() > 0 || in.HighestPadControl() > 0) return;
        if (services.Closing() || t > length) return;
    }
}

} // namespace story
