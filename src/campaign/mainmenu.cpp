// The main menu: five items on the panel, the record tables or the credits beside them.
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/screens.h"
#include "render/screenlayout.h"

#include <array>
#include <string>

int32_t MainMenuItem = 0;
const char* CurrentScreen = "";

namespace {

enum Item { PlayItem, HighScoresItem, CreditsItem, SetupItem, QuitItem, ItemCount };

struct tmainitem {
    const char* text;
    std::array<const char*, 2> help; // the key-help lines under "Change Option"
};
constexpr std::array<tmainitem, ItemCount> Items{{
    {"Play", {"SPACE or ENTER - Play", "ESC - Quit"}},
    {"High Scores", {"ESC - Quit", nullptr}},
    {"Credits", {"ESC - Quit", nullptr}},
    {"Setup", {"SPACE or ENTER - Redefine keys and set volume", "ESC - Quit"}},
    {"Quit", {"SPACE, ENTER or ESC - Quit", nullptr}},
}};

constexpr const char* Title = "tarnhollow";
constexpr const char* ChangeOptionHelp = "UP and DOWN ARROW - Change Option";

// One record table: heading at (100, top), places on the rows below it.
void DrawRecordTable(tservices& s, float top, const char* heading, const tscoretable& table,
                     const char* unit) {
    DrawPlainMenuText(s, 100, top, heading, OptionText, menucolour::BrightOrange);
    const std::string& me = CurrentProfile().Id;
    for (int place = 1; place <= RecordPlaces; ++place) {
        const tscore& entry = table[static_cast<size_t>(place - 1)];
        const float y = top + static_cast<float>((place + 1) * LineHeight) / ScaleY;
        const uint32_t colour =
            !me.empty() && entry.Id == me ? menucolour::White : menucolour::BrightOrange;
        DrawPlainMenuText(s, 150, y, entry.Name, NormalText, colour);
        DrawPlainMenuText(s, 450, y, std::to_string(entry.Value) + unit, NormalText, colour);
    }
}

void DrawCredits(tservices& s) {
    DrawPlainMenuText(s, 100, 200, "CREDITS", OptionText, menucolour::BrightOrange);
    for (int n = 1; n <= CreditLineCount; ++n)
        DrawPlainMenuText(s, 150, 200 + static_cast<float>((n + 1) * LineHeight) / ScaleY,
                          CreditLines[n - 1], NormalText, menucolour::BrightOrange);
}

void DrawMainMenu(tservices& s) {
    BeginMenuFrame(s);
    DrawBackground(s, 885, 200, PanelHeightForRows(ItemCount));
    for (int i = 0; i < ItemCount; ++i) DrawOptionRow(s, i, Items[i].text, i == MainMenuItem);
    const tmainitem& item = Items[static_cast<size_t>(MainMenuItem)];
    if (item.help[1])
        DrawHelpLines(s, {ChangeOptionHelp, item.help[0], item.help[1]});
    else
        DrawHelpLines(s, {ChangeOptionHelp, item.help[0]});
    DrawMenuTitle(s, Title);
    if (MainMenuItem == HighScoresItem) {
        DrawRecordTable(s, 200, "TOP 10 SCORE", ScoreTable, "");
        DrawRecordTable(s, 600, "TOP 10 MONEY", MoneyTable, ".00 e");
    } else if (MainMenuItem == CreditsItem) {
        DrawCredits(s);
    }
    EndMenuFrame(s);
}

} // namespace

MainMenuChoice MainMenu(tservices& s) {
    CurrentScreen = "main";
    tmenuinput keys(s);
    while (NextFrame(s, [&] { DrawMainMenu(s); })) {
        const tmenukeys pressed = keys.Read(s);
        if (pressed.down) {
            MainMenuItem = (MainMenuItem + 1) % ItemCount;
            s.Click();
        }
        if (pressed.up) {
            MainMenuItem = (MainMenuItem + ItemCount - 1) % ItemCount;
            s.Click();
        }
        if (pressed.back) return MainMenuChoice::Quit;
        if (!pressed.confirm) continue;
        switch (MainMenuItem) {
        case SetupItem:
            s.WaitConfirmReleased();
            return MainMenuChoice::Setup;
        case PlayItem:
            s.Click();
            s.WaitConfirmReleased();
            return MainMenuChoice::Play;
        case QuitItem:
            return MainMenuChoice::Quit;
        default:
            break; // the tables and the credits are only looked at
        }
    }
    return MainMenuChoice::Quit; // the window was closed
}
