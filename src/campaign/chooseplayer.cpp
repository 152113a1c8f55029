// Choosing a player: the ten slots, a living one taken with Space, and a new player typed
// over the one under the cursor.
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/screens.h"
#include "engine/settings.h"
#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "render/text.h"

#include <string>

namespace {

constexpr const char* Title = "choose player";
constexpr int NameLength = 10;
constexpr float SlotX = 900.0f;
constexpr float FirstSlotY = 215.0f;
// A living player not under the cursor: a shade of its own, between the two menu oranges.
constexpr uint32_t LivingSlotColour = 0xB05000;

constexpr const char* ChangeHelp = "UP and DOWN ARROW - Change Player";
constexpr const char* ReplaceHelp = "DELETE - Replace Chosen Player";
constexpr const char* ChooseHelp = "SPACE or ENTER - Choose Player";
constexpr const char* BackHelp = "ESC - Return to Main Menu";
constexpr const char* TypeHelp = "Type Your Name";
constexpr const char* UndoHelp = "ESC - Undo";

bool Living(const tplayer& player) {
    return player.Lives > 0;
}

void DrawSlot(tservices& s, int n, bool typing) {
    const tplayer& player = PlayerProfiles[n];
    const bool cursor = n == CurrentPlayer;
    const uint32_t colour = Living(player)
                                ? (cursor ? menucolour::BrightOrange : LivingSlotColour)
                                : (cursor ? menucolour::LightGrey : menucolour::DarkGrey);
    const float y = FirstSlotY + static_cast<float>((n - 1) * RowStep()) / ScaleY;
    const std::string text = cursor ? ">" + player.Name + "<" : player.Name;
    DrawOutlinedText(*s.sprites, ScreenX(SlotX + (cursor ? Sway(s, n) : 0.0f)), ScreenY(y), text,
                     menucolour::Black, Living(player) ? OptionText : NormalText, cursor && typing,
                     sprites::FirstFontGlyph, colour, 255);
}

void DrawChoosePlayer(tservices& s, bool typing) {
    BeginMenuFrame(s);
    DrawBackground(s, 885, 200, PanelHeightForRows(PlayerSlotCount));
    DrawMenuTitle(s, Title);
    for (int n = 1; n <= PlayerSlotCount; ++n) DrawSlot(s, n, typing);
    const bool living = Living(CurrentProfile());
    if (living)
        DrawHelpLines(s, {ChangeHelp, ReplaceHelp, ChooseHelp, BackHelp});
    else if (!typing)
        DrawHelpLines(s, {ChangeHelp, ReplaceHelp, BackHelp});
    else
        DrawHelpLines(s, {TypeHelp, UndoHelp});
    DrawStatusPanel(s, 100, 215, living ? menucolour::BrightOrange : menucolour::LightGrey);
    EndMenuFrame(s);
}

} // namespace

bool ChoosePlayer(tservices& s) {
    tmenuinput keys(s);
    bool typing = false;
    std::string undoName;
    bool chosen = false;
    while (NextFrame(s, [&] { DrawChoosePlayer(s, typing); })) {
        tplayer& slot = CurrentProfile();
        if (typing) {
            const std::string before = slot.Name;
            const bool entered = s.input->TypeText(slot.Name, NameLength);
            if (slot.Name != before) s.Click();
            const tmenukeys pressed = keys.Read(s);
            if (entered) {
                s.Click();
                ResetPlayer(CurrentPlayer);
                s.input->WaitKeyReleased(KeyEnter);
                typing = false;
            } else if (pressed.back) {
                // Nothing but the name was touched, so the old player stands as he was.
                slot.Name = undoName;
                s.input->WaitKeyReleased(KeyEscape);
                typing = false;
            }
            // While typing, the arrows, Delete and Space belong to the name (or to nobody):
            // moving the cursor now would leave the half-typed name in the wrong slot.
            continue;
        }
        const tmenukeys pressed = keys.Read(s);
        if (pressed.down) {
            CurrentPlayer = CurrentPlayer % PlayerSlotCount + 1;
            s.Click();
        }
        if (pressed.up) {
            CurrentPlayer = (CurrentPlayer + PlayerSlotCount - 2) % PlayerSlotCount + 1;
            s.Click();
        }
        if (pressed.remove) {
            tplayer& under = CurrentProfile();
            undoName = under.Name;
            under.Name.clear();
            typing = true;
            s.Click();
            s.input->WaitKeyReleased(KeyBackspace);
            continue;
        }
        if (pressed.confirm && Living(CurrentProfile())) {
            s.WaitConfirmReleased();
            chosen = true;
            break;
        }
        if (pressed.back) break;
    }
    if (typing) CurrentProfile().Name = undoName; // the window closed mid-name
    s.Click();
    s.input->WaitKeyReleased(KeyEscape);
    return chosen;
}
