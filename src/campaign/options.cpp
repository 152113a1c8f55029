// The setup screen: key and pad bindings, pad sensitivity and the two volumes. Everything
// changes in memory at once; the settings file is written when the game ends.
#include "campaign/menu.h"
#include "campaign/screens.h"
#include "engine/settings.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

enum Option {
    KeysOption,
    PadsOption,
    SensitivityOption,
    MusicOption,
    EffectOption,
    ExitOption,
    OptionCount
};

constexpr const char* Title = "setup";
constexpr std::array<const char*, OptionCount> OptionHelp{
    "SPACE or ENTER - Redefine Keys",
    "SPACE or ENTER - Configure Game Pads",
    "LEFT and RIGHT ARROW - Adjust Game Pad Sensitivity",
    "LEFT and RIGHT ARROW - Adjust Music Volume",
    "LEFT and RIGHT ARROW - Adjust Sound Effect Volume",
    "SPACE or ENTER - Return to Main Menu",
};
constexpr const char* ChangeOptionHelp = "UP and DOWN ARROW - Change Option";
constexpr const char* LeaveHelp = "ESC - Return to Main Menu";
constexpr const char* StopKeysHelp = "ESC - Stop Redefining Keys";
constexpr const char* StopPadsHelp = "ESC - Stop Redefining Game Pads";

// The eight bound actions, in the order they are redefined.
struct taction {
    int32_t tsettings::*key;
    int32_t tsettings::*pad;
    const char* label;       // "Move Left: " and the key or control name after it
    const char* activeLabel; // the same while the action is being redefined
    const char* keyHelp;
    const char* padHelp;
};
constexpr int ActionCount = 8;
constexpr std::array<taction, ActionCount> Actions{{
    {&tsettings::KeyLeft, &tsettings::PadLeft,
     "Move Left: ", "Move left: ", "Choose Key to Move Left",
     "SPACE or ENTER - Choose Game Pad Direction or Button to Move Left"},
    {&tsettings::KeyRight, &tsettings::PadRight, "Move Right: ", "Move right: ",
     "Choose Key to Move Right", "Choose Game Pad Direction or Button to Move Right"},
    {&tsettings::KeyUp, &tsettings::PadUp, "Move Up: ", "Move up: ", "Choose Key to Move Up",
     "Choose Game Pad Direction or Button to Move Up"},
    {&tsettings::KeyDown, &tsettings::PadDown, "Move Down: ", "Move down: ",
     "Choose Key to Move Down", "Choose Game Pad Direction or Button to Move Down"},
    {&tsettings::KeyJump, &tsettings::PadJump, "Jump: ", "Jump: ", "Choose Key to Jump",
     "Choose Game Pad Direction or Button to Jump"},
    {&tsettings::KeyFire, &tsettings::PadFire, "Fire: ", "Fire: ", "Choose Key to Fire",
     "Choose Game Pad Direction or Button to Fire"},
    {&tsettings::KeyChange, &tsettings::PadChange, "Change Weapon: ", "Change Weapon: ",
     "Choose Key to Change Weapon", "Choose Game Pad Direction or Button to Change Weapon"},
    {&tsettings::KeyGuide, &tsettings::PadGuide,
     "Turn On/Off Jump Guide: ", "Turn On/Off Jump Guide: ", "Choose Key to Turn On/Off Jump Guide",
     "Choose Game Pad Direction or Button to Turn On/Off Jump Guide"},
}};
// The binding lines stand at x 950, under their option row.
constexpr float LineX = 950.0f;

// The three percent lines, stepped by ten with the left and right arrows.
struct tslider {
    Option option;
    const char* label;
    int32_t tsettings::*value;
    int32_t lowest;
};
constexpr std::array<tslider, 3> Sliders{{
    {SensitivityOption, "Game pad sensitivity ", &tsettings::PadSensitivity, 30},
    {MusicOption, "Music volume ", &tsettings::MusicVolume, 0},
    {EffectOption, "Sound effect volume ", &tsettings::EffectVolume, 0},
}};
constexpr int32_t SliderStep = 10;
constexpr int32_t SliderHighest = 100;

enum class Redefining { Nothing, Keys, Pads };

// The option row is OptionsRow, kept where runs and bug reports can name it.
struct tstate {
    Redefining redefining = Redefining::Nothing;
    int action = 0;
    int seen = 0; // the key or pad control seen on the previous frame
};

const tslider* SliderOf(int option) {
    for (const tslider& slider : Sliders)
        if (slider.option == option) return &slider;
    return nullptr;
}

std::string OptionLabel(int option) {
    if (const tslider* slider = SliderOf(option))
        return slider->label + std::to_string(settings.*slider->value) + " %";
    switch (option) {
    case KeysOption:
        return "Redefine keys";
    case PadsOption:
        return "Configure game pads";
    default:
        return "Exit";
    }
}

// The eight binding lines of the keys or the pads from row `first` down.
void DrawBindingLines(tservices& s, const tstate& st, int first, bool pads, bool greyed) {
    const Redefining kind = pads ? Redefining::Pads : Redefining::Keys;
    for (int k = 0; k < ActionCount; ++k) {
        const taction& action = Actions[static_cast<size_t>(k)];
        const bool active = st.redefining == kind && st.action == k;
        std::string text = active ? action.activeLabel : action.label;
        // A pad line being chosen shows what the pad does now, so the player sees it respond.
        text += pads ? TDInput::PadControlName(active ? st.seen : settings.*action.pad)
                     : TDInput::KeyName(settings.*action.key);
        const int row = first + k;
        DrawOptionText(s, LineX, OptionRowY(row), row, text, active,
                       greyed ? RowLook::Unavailable : RowLook::Line);
    }
}

void DrawOptions(tservices& s, const tstate& st) {
    const bool noPads = s.input->PadCount() == 0;
    const bool withLines = OptionsRow == KeysOption || OptionsRow == PadsOption;
    BeginMenuFrame(s);
    // One height whatever is selected, room for the options and the eight lines under one,
    // so the panel does not jump as the selection moves.
    DrawBackground(s, 885, 200, PanelHeightForRows(OptionCount + ActionCount));
    int row = 0;
    for (int option = 0; option < OptionCount; ++option, ++row) {
        const bool selected = option == OptionsRow;
        const bool greyed = option == PadsOption && noPads;
        DrawOptionRow(s, row, OptionLabel(option), selected,
                      greyed && !selected ? RowLook::Greyed : RowLook::Normal);
        if (selected && withLines) {
            DrawBindingLines(s, st, row + 1, option == PadsOption, greyed);
            row += ActionCount;
        }
    }

    const taction& action = Actions[static_cast<size_t>(st.action)];
    switch (st.redefining) {
    case Redefining::Keys:
        DrawHelpLines(s, {action.keyHelp, StopKeysHelp});
        break;
    case Redefining::Pads:
        DrawHelpLines(s, {action.padHelp, StopPadsHelp});
        break;
    case Redefining::Nothing: {
        const bool greyed = OptionsRow == PadsOption && noPads;
        DrawHelpLine(s, 0, OptionHelp[static_cast<size_t>(OptionsRow)],
                     greyed ? menucolour::DarkGrey : menucolour::BrightOrange);
        DrawHelpLine(s, 1, ChangeOptionHelp, menucolour::BrightOrange);
        DrawHelpLine(s, 2, LeaveHelp, menucolour::BrightOrange);
        break;
    }
    }
    DrawMenuTitle(s, Title);
    EndMenuFrame(s);
}

// Left (-1) or right (+1) on a percent line: ten steps within its range, each heard at once.
void Adjust(tservices& s, const tslider& slider, int direction) {
    int32_t& value = settings.*slider.value;
    // A hand-edited settings file may hold a value outside the range; a step brings it in.
    const int32_t stepped =
        std::clamp(value + direction * SliderStep, slider.lowest, SliderHighest);
    if (stepped == value) return;
    value = stepped;
    if (slider.option == SensitivityOption) {
        s.input->SetSensitivity(value);
        value = s.input->GetSensitivity();
    }
    if (slider.option == MusicOption && s.sound)
        s.sound->SetMusicVolume(static_cast<float>(value) / 100.0f);
    s.Click(); // after the change: the effect volume is heard at its new level
}

void StartRedefining(tservices& s, tstate& st, Redefining kind) {
    st.redefining = kind;
    st.action = 0;
    // What is held now (the confirm key itself) must be let go before it can be bound.
    st.seen = kind == Redefining::Keys ? s.input->HighestKeyDown() : s.input->HighestPadControl();
    s.Click();
}

// One frame of a redefinition: a newly pressed key (or pad control) binds the current
// action and moves on to the next. A held key is seen once, so it binds one action only.
void Redefine(tservices& s, tstate& st) {
    const TDInput& in = *s.input;
    // Esc stops; what was bound so far stays. Esc has no name, so it is never bound.
    if (in.IsKeyDown(KeyEscape)) {
        st.redefining = Redefining::Nothing;
        return;
    }
    const bool keys = st.redefining == Redefining::Keys;
    const int code = keys ? in.HighestKeyDown() : in.HighestPadControl();
    if (code == st.seen) return;
    st.seen = code;
    if (code <= 0 || (keys && TDInput::KeyName(code).empty())) return;
    const taction& action = Actions[static_cast<size_t>(st.action)];
    settings.*(keys ? action.key : action.pad) = code;
    if (++st.action < ActionCount) return;
    st.redefining = Redefining::Nothing;
    st.action = 0;
    s.WaitConfirmReleased();
}

} // namespace

int32_t OptionsRow = KeysOption;

void OptionsScreen(tservices& s) {
    s.WaitConfirmReleased();
    // The input object holds the sensitivity (clamped); the settings follow it.
    settings.PadSensitivity = s.input->GetSensitivity();
    OptionsRow = KeysOption;
    tstate st;
    tmenuinput keys(s);
    while (NextFrame(s, [&] { DrawOptions(s, st); })) {
        const tmenukeys pressed = keys.Read(s);
        if (st.redefining != Redefining::Nothing) {
            Redefine(s, st);
            continue;
        }
        if (pressed.back) break;
        if (pressed.down) {
            OptionsRow = (OptionsRow + 1) % OptionCount;
            s.Click();
        }
        if (pressed.up) {
            OptionsRow = (OptionsRow + OptionCount - 1) % OptionCount;
            s.Click();
        }
        if (const tslider* slider = SliderOf(OptionsRow)) {
            if (pressed.left) Adjust(s, *slider, -1);
            if (pressed.right) Adjust(s, *slider, +1);
        }
        if (!pressed.confirm) continue;
        if (OptionsRow == ExitOption) break;
        if (OptionsRow == KeysOption) StartRedefining(s, st, Redefining::Keys);
        if (OptionsRow == PadsOption && s.input->PadCount() > 0)
            StartRedefining(s, st, Redefining::Pads);
    }
    s.Click();
    s.WaitConfirmReleased(true);
}
