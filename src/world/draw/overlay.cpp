#include "world/draw/overlay.h"

#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "render/text.h"
#include "world/playerrecord.h"
#include "world/replay/replayform.h"
#include "world/tables.h"

#include <algorithm>

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
constexpr int32_t FadeStrength = 4; // alpha per fade step: 64 steps end the fade
// The start picture is centred for its 2048-texture width; the 1024 textures are half the
// size and drawn twice as large.
constexpr int32_t StartPictureHalfWidth = 68;
constexpr std::string_view LargeTextureFolder = "gfx2048\\";

int32_t Alpha(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, 255));
}

// The one-texel sprite stretched over the whole screen.
void Fade(td2dsprites& sprites, uint32_t colour, int32_t steps) {
    if (steps <= 0 || !sprites.Valid(sprites::FadeTexel)) return;
    const tsprite& texel = sprites.Sprite(sprites::FadeTexel);
    const float width = static_cast<float>(std::max(texel.right - texel.left, 1));
    const float height = static_cast<float>(std::max(texel.bottom - texel.top, 1));
    sprites.DrawSpriteScaled(sprites::FadeTexel, 0, 0, static_cast<float>(ScreenWidth) / width,
                             static_cast<float>(ScreenHeight) / height, colour,
                             Alpha(int64_t{steps} * FadeStrength));
}

void DrawStatusLine(td2dsprites& sprites) {
    const int32_t y = ScreenHeight - StatusLineRise;
    // Kept from picture to picture: the line is drawn many times a second and its pieces
    // fit in the room the last ones left.
    static std::vector<tstatuspiece> pieces;
    StatusLineInto(sprites, pieces);
    for (const tstatuspiece& piece : pieces)
        DrawOutlinedText(sprites, piece.x, y, piece.text, Black, 1.0f, false,
                         sprites::FirstFontGlyph, StatusColour, piece.alpha);
}

void DrawStartPicture(td2dsprites& sprites, std::string_view textureFolder) {
    const float scale = textureFolder == LargeTextureFolder ? 2.0f : 4.0f;
    sprites.DrawSpriteScaled(sprites::StartPicture, ScreenWidth / 2 - StartPictureHalfWidth,
                             RoundHalfEven(inlevel.overlay.IntroSlide), scale, scale, White, 255);
}

} // namespace

bool AdvanceIntroSlide() {
    if (inlevel.overlay.IntroSlide <= 0.0f) return false;
    inlevel.overlay.IntroSlide += inlevel.overlay.IntroSlideSpeed;
    inlevel.overlay.IntroSlideSpeed -= 1.0f;
    return true;
}

std::vector<tstatuspiece> StatusLine(const td2dsprites& sprites) {
    std::vector<tstatuspiece> pieces;
    StatusLineInto(sprites, pieces);
    return pieces;
}

void StatusLineInto(const td2dsprites& sprites, std::vector<tstatuspiece>& pieces) {
    const tplayer& player = Player();
    const int first = sprites::FirstFontGlyph;
    pieces.clear();
    pieces.push_back({"SCORE " + std::to_string(player.Score), ScreenX(100), 255});
    if (player.Gun >= 1 && player.Gun <= GunCount) {
        const size_t g = static_cast<size_t>(player.Gun);
        pieces.push_back({"AMMO " + std::to_string(player.AmmoCurrent[g]) + "/" +
                              std::to_string(int64_t{player.AmmoCurrent[g]} + player.AmmoAll[g]),
                          ScreenX(400), 255});
    }
    // One star per 20 points of jump power, fading with it.
    const int32_t stars = std::max(player.Jump / 20 + 1, 0);
    pieces.push_back({"JUMP " + std::string(static_cast<size_t>(stars), '*'), ScreenX(700),
                      Alpha(int64_t{player.Jump} * 255 / 100)});
    // One caret per life; the last one is the life being played and fades with the energy.
    // The energy drops below 0 in the blow that ends it, so its alpha is held at 0.
    const std::string lives = "LIVES ";
    const std::string spare(static_cast<size_t>(std::max(player.Lives - 1, 0)), '^');
    const int32_t livesX = ScreenX(1000);
    const int32_t spareX = livesX + TextWidth(sprites, lives, first, 1.0f);
    const int32_t lastX = spareX + TextWidth(sprites, spare, first, 1.0f);
    pieces.push_back({lives, livesX, 255});
    pieces.push_back({spare, spareX, 255});
    pieces.push_back({"^", lastX, Alpha(int64_t{player.Energy} * 255 / 100)});
}

bool WatchingReplay = false;

namespace {

void DrawReplayCaption(td2dsprites& sprites) {
    const std::string text =
        std::string(ReplayCaption) + "  " + FramesClock(inlevel.loopstate.frames);
    const int32_t width = TextWidth(sprites, text, sprites::FirstFontGlyph, 1.0f);
    DrawPlainText(sprites, ScreenWidth - width - 10, 10, text, 1.0f, false, sprites::FirstFontGlyph,
                  White, 255);
}

} // namespace

void DrawOverlay(td2dsprites& sprites, const TDInput& input, std::string_view textureFolder) {
    DrawOverlayPicture(sprites, input, textureFolder, AdvanceIntroSlide());
}

void DrawOverlayPicture(td2dsprites& sprites, const TDInput& input, std::string_view textureFolder,
                        bool startPictureShown) {
    // Under the status line, which stays readable while the hero dies.
    Fade(sprites, White, inlevel.DeathFade);
    DrawStatusLine(sprites);
    if (input.IsKeyDown(AuthorKey))
        DrawPlainText(sprites, 10, 50, "Level created by " + inlevel.loaded.creatorname + ".", 1.0f,
                      false, sprites::FirstFontGlyph, White, 255);
    if (startPictureShown) DrawStartPicture(sprites, textureFolder);
    if (WatchingReplay) DrawReplayCaption(sprites);
    // Over everything: the level is being left.
    Fade(sprites, Black, inlevel.ExitFade);
}

void DrawPauseLine(td2dsprites& sprites) {
    DrawPlainText(sprites, 10, 10, PauseText, 1.0f, false, sprites::FirstFontGlyph, White, 255);
}
