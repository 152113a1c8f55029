#include "campaign/menu.h"

#include "campaign/storycells.h"
#include "engine/settings.h"
#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "render/text.h"

#include <cmath>
#include <numbers>

int FirstStoryCell = -1;

namespace {

constexpr int32_t MenuPictureWidth = 800;
constexpr int32_t MenuPictureHeight = 450;
constexpr int PanelAlpha = 112;
// Design positions shared by every option list.
constexpr float RowX = 900.0f;
constexpr float FirstRowY = 215.0f;
constexpr float HelpX = 50.0f;
// The notice line at the bottom right of every menu screen.
constexpr const char* NoticeLine = "Tarnhollow 1.0";
constexpr float NoticeX = 1350.0f;
constexpr float NoticeY = 1020.0f;

// The top band of the screen above the menu picture: 75 / 600 of its height.
int32_t BandHeight() {
    return ScreenHeight * 75 / 600;
}

// The first key-help line: 530 / 600 of the screen height.
int32_t HelpTop() {
    return ScreenHeight * 530 / 600;
}

} // namespace

void SetMenuPicture(tservices& services, std::string_view file) {
    services.sprites->ReplaceSprite(sprites::MenuBackground, file, 0, 0, MenuPictureWidth,
                                    MenuPictureHeight);
}

int32_t RowStep() {
    return MenuSpacing;
}

int32_t PanelHeightForRows(int32_t rows) {
    return 30 + static_cast<int32_t>(std::lround(rows * RowStep() / ScaleY));
}

void BeginMenuFrame(tservices& services) {
    services.graphics->Clear(0, 0, 0);
    services.graphics->BeginFrame(1.0f, 1.0f);
}

void EndMenuFrame(tservices& services) {
    services.graphics->EndFrame();
}

void DrawPanel(tservices& services, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!services.storySprites || !services.storySprites->Valid(FirstStoryCell + StoryPatchSprite))
        return;
    td2dsprites& cells = *services.storySprites;
    const int cell = FirstStoryCell + StoryPatchSprite;
    const tsprite& patch = cells.Sprite(cell);
    const float patchWidth = static_cast<float>(std::max(1, patch.right - patch.left));
    const float patchHeight = static_cast<float>(std::max(1, patch.bottom - patch.top));
    cells.DrawSpriteScaled(cell, ScreenX(static_cast<float>(x)), ScreenY(static_cast<float>(y)),
                           static_cast<float>(width) * ScaleX / patchWidth,
                           static_cast<float>(height) * ScaleY / patchHeight, menucolour::White,
                           PanelAlpha);
}

void DrawBackground(tservices& services, int32_t x, int32_t y, int32_t panelHeight) {
    // The picture fills the width; the bands above and below stay black.
    const float scale = static_cast<float>(ScreenWidth) / MenuPictureWidth;
    services.sprites->DrawSpriteScaled(sprites::MenuBackground, 0, BandHeight(), scale, scale,
                                       menucolour::White, 255);
    if (x >= 0) DrawPanel(services, x, y, 1600 - x, panelHeight);
    DrawMenuText(services, NoticeX, NoticeY, NoticeLine, NormalText, menucolour::Black);
}

void DrawMenuTitle(tservices& services, std::string_view title) {
    DrawTitle(*services.sprites, title, sprites::FirstFontGlyph);
}

float Sway(const tservices& services, int32_t row) {
    const double m = static_cast<double>(services.TickCount() % 1000);
    return static_cast<float>(4.0 * std::sin(2.0 * std::numbers::pi * (m + 100.0 * row) / 1000.0));
}

void DrawMenuText(tservices& services, float x, float y, std::string_view text, float scale,
                  uint32_t colour) {
    DrawOutlinedText(*services.sprites, ScreenX(x), ScreenY(y), text, menucolour::Black, scale,
                     false, sprites::FirstFontGlyph, colour, 255);
}

void DrawPlainMenuText(tservices& services, float x, float y, std::string_view text, float scale,
                       uint32_t colour) {
    DrawPlainText(*services.sprites, ScreenX(x), ScreenY(y), text, scale, false,
                  sprites::FirstFontGlyph, colour, 255);
}

void DrawOptionText(tservices& services, float x, float y, int32_t swayRow, std::string_view text,
                    bool selected, RowLook look) {
    const bool orange = look == RowLook::Normal || look == RowLook::Line;
    const bool large = look == RowLook::Normal || look == RowLook::Greyed;
    const uint32_t colour = orange ? (selected ? menucolour::BrightOrange : menucolour::DarkOrange)
                                   : (selected ? menucolour::LightGrey : menucolour::DarkGrey);
    const float sway = selected ? Sway(services, swayRow) : 0.0f;
    DrawOutlinedText(*services.sprites, ScreenX(x + sway), ScreenY(y), text, menucolour::Black,
                     large ? OptionText : NormalText, false, sprites::FirstFontGlyph, colour, 255);
}

float OptionRowY(int32_t row) {
    return FirstRowY + static_cast<float>(row * RowStep()) / ScaleY;
}

void DrawOptionRow(tservices& services, int32_t row, std::string_view text, bool selected,
                   RowLook look) {
    DrawOptionText(services, RowX, OptionRowY(row), row, text, selected, look);
}

void DrawHelpLines(tservices& services, std::initializer_list<std::string_view> lines,
                   bool unscaledX) {
    DrawHelpLines(services, std::vector<std::string_view>(lines), unscaledX);
}

void DrawHelpLines(tservices& services, const std::vector<std::string_view>& lines,
                   bool unscaledX) {
    const int32_t x = unscaledX ? static_cast<int32_t>(HelpX) : ScreenX(HelpX);
    int32_t y = HelpTop();
    for (std::string_view line : lines) {
        DrawPlainText(*services.sprites, x, y, line, NormalText, false, sprites::FirstFontGlyph,
                      menucolour::BrightOrange, 255);
        y += LineHeight;
    }
}

void DrawHelpLine(tservices& services, int32_t line, std::string_view text, uint32_t colour) {
    DrawPlainText(*services.sprites, ScreenX(HelpX), HelpTop() + line * LineHeight, text,
                  NormalText, false, sprites::FirstFontGlyph, colour, 255);
}

tmenuinput::tmenuinput(const tservices& services) {
    held_ = Read(services);
}

tmenukeys tmenuinput::Read(const tservices& services) {
    const TDInput& in = *services.input;
    tmenukeys now;
    now.up = in.IsKeyDown(KeyArrowUp) || in.IsPadControlOn(settings.PadUp);
    now.down = in.IsKeyDown(KeyArrowDown) || in.IsPadControlOn(settings.PadDown);
    now.left = in.IsKeyDown(KeyArrowLeft) || in.IsPadControlOn(settings.PadLeft);
    now.right = in.IsKeyDown(KeyArrowRight) || in.IsPadControlOn(settings.PadRight);
    now.pageUp = in.IsKeyDown(KeyPageUp);
    now.pageDown = in.IsKeyDown(KeyPageDown);
    now.confirm =
        in.IsKeyDown(KeySpace) || in.IsKeyDown(KeyEnter) || in.IsPadControlOn(AnyPadButton);
    now.back = in.IsKeyDown(KeyEscape);
    now.remove = in.IsKeyDown(KeyDelete);

    tmenukeys pressed;
    pressed.up = now.up && !held_.up;
    pressed.down = now.down && !held_.down;
    pressed.left = now.left && !held_.left;
    pressed.right = now.right && !held_.right;
    pressed.pageUp = now.pageUp && !held_.pageUp;
    pressed.pageDown = now.pageDown && !held_.pageDown;
    pressed.confirm = now.confirm && !held_.confirm;
    pressed.back = (now.back && !held_.back) || services.Closing();
    pressed.remove = now.remove && !held_.remove;
    held_ = now;
    return pressed;
}
