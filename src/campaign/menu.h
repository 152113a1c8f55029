#pragma once
// What every screen outside play shares: the colours, the background picture with its
// translucent panel, the title, the option rows with the sway of the selected one, the
// key-help lines, the edge-triggered menu keys and the frame around it all. A screen is a
// loop of NextFrame(services, draw) and a look at MenuKeys; see mainmenu.cpp.
#include "render/services.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace menucolour {
inline constexpr uint32_t BrightOrange = 0xF07000; // selected, help lines, headings
inline constexpr uint32_t DarkOrange = 0xB04000;   // unselected, the screen title
inline constexpr uint32_t LightGrey = 0x979797;    // selected but cannot be taken
inline constexpr uint32_t DarkGrey = 0x666666;     // unselected and cannot be taken
inline constexpr uint32_t White = 0xFFFFFF;        // the current player's own records
inline constexpr uint32_t Black = 0x000000;
} // namespace menucolour

// Text sizes on the design canvas.
inline constexpr float NormalText = 1.0f;
inline constexpr float OptionText = 1.5f;

// The first sprite of the story cells (the intro loads them); -1 before. Cell 33 is the
// plain patch the menus' translucent panel is drawn with.
extern int FirstStoryCell;

// The menu picture of the screen: "gfx\mainmenu.jpg" and the others, 800 x 450, swapped
// into the one background sprite.
void SetMenuPicture(tservices& services, std::string_view file);

// The row step of option lists: 1.5 line heights, rounded.
int32_t RowStep();

// Clears the screen and begins the scene with full diffuse and ambient material.
void BeginMenuFrame(tservices& services);
// Ends the scene and shows it.
void EndMenuFrame(tservices& services);

// The menu picture across the screen's width below the top band, then (x >= 0) a white
// panel of opacity 112 from (x, y) to the right edge, panelHeight high, then the notice
// line at the bottom right. Positions in design units.
void DrawBackground(tservices& services, int32_t x, int32_t y, int32_t panelHeight);
// The height in design units of a panel that holds `rows` option rows with a margin.
int32_t PanelHeightForRows(int32_t rows);
// A translucent white panel of opacity 112 at (x, y) of the given design size.
void DrawPanel(tservices& services, int32_t x, int32_t y, int32_t width, int32_t height);
// The screen's title at the top left, twice the normal size, dark orange.
void DrawMenuTitle(tservices& services, std::string_view title);

// The sideways sway of a selected row: 4 sin(2 pi (m + 100 row) / 1000) design units, m
// the millisecond of the clock; added to the design x before scaling like any position.
float Sway(const tservices& services, int32_t row);
// Outlined text at a design position.
void DrawMenuText(tservices& services, float x, float y, std::string_view text, float scale,
                  uint32_t colour);
// Plain text at a design position.
void DrawPlainMenuText(tservices& services, float x, float y, std::string_view text, float scale,
                       uint32_t colour);

// How an option row looks.
enum class RowLook {
    Normal,      // 1.5 times the normal size, bright orange when selected, dark orange
    Unavailable, // normal size, light grey when selected, dark grey
    Line,        // normal size, bright orange when selected, dark orange (lines under a row)
    Greyed,      // 1.5 times the normal size, light grey when selected, dark grey
};
// The design y of row `row` of an option list: 215 + row step x row.
float OptionRowY(int32_t row);
// Row `row` of an option list at x 900, y 215 + row step x row; the selected row sways by
// swayRow (its row number unless the screen says otherwise).
void DrawOptionRow(tservices& services, int32_t row, std::string_view text, bool selected,
                   RowLook look = RowLook::Normal);
// The same at any design position.
void DrawOptionText(tservices& services, float x, float y, int32_t swayRow, std::string_view text,
                    bool selected, RowLook look = RowLook::Normal);

// The key-help lines at the bottom, bright orange, one line height apart, the first at
// 530 / 600 of the screen height. x is 50 design units, or 50 pixels with unscaledX.
void DrawHelpLines(tservices& services, std::initializer_list<std::string_view> lines,
                   bool unscaledX = false);
void DrawHelpLines(tservices& services, const std::vector<std::string_view>& lines,
                   bool unscaledX = false);
// Key-help line `line` (0 the first) alone, in the colour given.
void DrawHelpLine(tservices& services, int32_t line, std::string_view text, uint32_t colour);

// The menu keys of one pass, each true only on the pass it went down (a held key acts once).
struct tmenukeys {
    bool up = false, down = false, left = false, right = false;
    bool pageUp = false, pageDown = false;
    bool confirm = false; // Space, Enter or any pad button
    bool back = false;    // Esc (or the window closed)
    bool remove = false;  // Delete
};

// Turns held keys into presses: remembers what was held on the previous pass. A screen
// makes one on entry, so what was held when it opened does not act.
class tmenuinput {
  public:
    explicit tmenuinput(const tservices& services);
    // Reads the keys the last poll saw.
    tmenukeys Read(const tservices& services);

  private:
    tmenukeys held_;
};
