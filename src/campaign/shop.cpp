// The shop between choosing a player and choosing a level: guns and packs of rounds for the
// current player's money; and the status panel that shows what he has.
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/screens.h"
#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "render/text.h"

#include <array>
#include <cctype>
#include <cmath>
#include <string>

namespace {

struct tshopitem {
    const char* text;
    int32_t price;
    int gun;        // the gun sold, or whose rounds are sold; 0 on "Continue -->"
    int32_t rounds; // rounds in a pack; 0 when the row sells the gun itself
};
constexpr int ContinueRow = 6;
constexpr std::array<tshopitem, ContinueRow + 1> Items{{
    {"Pistol [1000.00 e]", 1000, 1, 0},
    {"  8 Pistol Rounds [4.00 e]", 4, 1, 8},
    {"Submachine Gun [3000.00 e]", 3000, 2, 0},
    {"  50 SMG Rounds [25.00 e]", 25, 2, 50},
    {"Assault Rifle [3500.00 e]", 3500, 3, 0},
    {"  30 AR Rounds [15.00 e]", 15, 3, 30},
    {"Continue -->", 0, 0, 0},
}};

constexpr std::array<const char*, GunCount + 1> GunNames{"", "Pistol", "Submachine Gun",
                                                         "Assault Rifle"};
constexpr std::array<const char*, GunCount + 1> RoundNames{"", " Pistol Rounds", " SMG Rounds",
                                                           " AR Rounds"};

constexpr const char* Title = "buy equipment";
constexpr float RowX = 900.0f;
constexpr float FirstRowY = 215.0f;
constexpr const char* ChangeHelp = "UP and DOWN ARROW - Change Item";
constexpr const char* ContinueHelp = "SPACE or ENTER - Go to Level Selection";
constexpr const char* BuyHelp = "SPACE or ENTER - Buy Item";
constexpr const char* BackHelp = "ESC - Return to Player Selection";

// The item picture: 125 x 80 texels in the 1024 set, 250 x 160 in the 2048 set, so both
// scales give the same 200 x 128 pixels on any screen.
constexpr int32_t PictureX = 510;
constexpr int32_t PictureY = 200;
constexpr float PicturePixelsWide = 200.0f;
constexpr float PicturePixelsHigh = 128.0f;

bool CanBuy(const tshopitem& item, const tplayer& player) {
    if (item.gun == 0) return true;
    const bool owned = player.Own[static_cast<size_t>(item.gun)];
    const bool wanted = item.rounds > 0 ? owned : !owned;
    return wanted && player.Money >= item.price;
}

void Buy(tservices& s, const tshopitem& item, tplayer& player) {
    player.Money -= item.price;
    // The money table follows the purse down as well as up.
    EnterRecord(MoneyTable, player.Money);
    s.PlayEffect(sfx::Points);
    const size_t gun = static_cast<size_t>(item.gun);
    if (item.rounds > 0)
        player.AmmoAll[gun] += item.rounds;
    else
        player.Own[gun] = true;
}

void DrawItemPicture(tservices& s, int row) {
    const float scale = TextureFolder == TextureFolder2048 ? 0.8f : 1.6f;
    s.sprites->DrawSpriteScaled(sprites::FirstShopPicture + row, ScreenX(PictureX),
                                ScreenY(PictureY), scale, scale, menucolour::White, 255);
}

void DrawShop(tservices& s, int selected) {
    const tplayer& player = CurrentProfile();
    BeginMenuFrame(s);
    DrawBackground(s, 885, 200, PanelHeightForRows(ContinueRow + 2));
    DrawPanel(s, PictureX, PictureY, static_cast<int32_t>(std::lround(PicturePixelsWide / ScaleX)),
              static_cast<int32_t>(std::lround(PicturePixelsHigh / ScaleY)));
    DrawMenuTitle(s, Title);
    if (selected != ContinueRow) DrawItemPicture(s, selected);
    for (int row = 0; row <= ContinueRow; ++row) {
        const tshopitem& item = Items[static_cast<size_t>(row)];
        // "Continue -->" stands apart, one row below the last item.
        const int place = row == ContinueRow ? row + 1 : row;
        const float y = FirstRowY + static_cast<float>(place * RowStep()) / ScaleY;
        DrawOptionText(s, RowX, y, row, item.text, row == selected,
                       CanBuy(item, player) ? RowLook::Normal : RowLook::Unavailable);
    }
    if (selected == ContinueRow)
        DrawHelpLines(s, {ChangeHelp, ContinueHelp, BackHelp});
    else if (CanBuy(Items[static_cast<size_t>(selected)], player))
        DrawHelpLines(s, {ChangeHelp, BuyHelp, BackHelp});
    else
        DrawHelpLines(s, {ChangeHelp, BackHelp});
    DrawStatusPanel(s, 100, 215, menucolour::BrightOrange);
    EndMenuFrame(s);
}

} // namespace

int32_t ShopRow = ContinueRow; // kept for runs and bug reports to read

bool Shop(tservices& s) {
    constexpr int rowCount = ContinueRow + 1;
    ShopRow = ContinueRow;
    bool goOn = false;
    tmenuinput keys(s);
    while (NextFrame(s, [&] { DrawShop(s, ShopRow); })) {
        const tmenukeys pressed = keys.Read(s);
        if (pressed.down) {
            ShopRow = (ShopRow + 1) % rowCount;
            s.Click();
        }
        if (pressed.up) {
            ShopRow = (ShopRow + rowCount - 1) % rowCount;
            s.Click();
        }
        if (pressed.confirm) {
            if (ShopRow == ContinueRow) {
                goOn = true;
                break;
            }
            const tshopitem& item = Items[static_cast<size_t>(ShopRow)];
            tplayer& player = CurrentProfile();
            if (CanBuy(item, player)) {
                Buy(s, item, player);
                s.WaitConfirmReleased(); // one press buys one item
            }
        }
        if (pressed.back) break;
    }
    s.Click();
    s.WaitConfirmReleased(true);
    return goOn;
}

std::vector<tstatusline> StatusLines(const tplayer& player) {
    std::string name = player.Name;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<tstatusline> lines{
        {name + " - STATUS", 0, 0, OptionText},
        {"Money: " + std::to_string(player.Money) + ".00 e", 50, 2, NormalText},
        {"Score: " + std::to_string(player.Score), 50, 3, NormalText},
        {"Lives: " + std::to_string(player.Lives), 50, 4, NormalText},
        {"Equipment", 50, 5, NormalText},
    };
    int32_t line = 6;
    for (size_t gun = 1; gun <= GunCount; ++gun) {
        if (player.Own[gun]) lines.push_back({GunNames[gun], 100, line++, NormalText});
        const int64_t rounds = int64_t{player.AmmoCurrent[gun]} + player.AmmoAll[gun];
        if (rounds > 0)
            lines.push_back({std::to_string(rounds) + RoundNames[gun], 125, line++, NormalText});
    }
    return lines;
}

void DrawStatusPanel(tservices& s, int32_t x, int32_t y, uint32_t colour) {
    for (const tstatusline& line : StatusLines(CurrentProfile()))
        DrawOutlinedText(*s.sprites, ScreenX(static_cast<float>(x + line.dx)),
                         ScreenY(static_cast<float>(y)) + line.line * LineHeight, line.text,
                         menucolour::Black, line.scale, false, sprites::FirstFontGlyph, colour,
                         255);
}
