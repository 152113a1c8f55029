// The level choice: a window of eleven level names, the area of the selected one and its
// fastest times. Completed and locked levels are shown but cannot be started.
#include "campaign/chooselevel.h"

#include "campaign/levels.h"
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/replays.h"
#include "campaign/screens.h"
#include "platform/files.h"
#include "render/screenlayout.h"

#include <algorithm>
#include <array>

int32_t SelectedLevel = 0;
std::function<void(tservices&, WatchKind)> WatchFromLevelChoice;

namespace {

constexpr std::array<const char*, CampaignLevelCount / AreaSize> AreaTitles{
    "Area 1: Lost Valley",
    "Area 2: Ancient Ruins",
    "Area 3: Quatzalcoatl's Treasury",
    "Area 4: Highlands",
    "Area 5: Varrosco's Gold",
    "Area 6: Underworld",
    "Area 7: Temple of Huitzilopochtl",
    "Area 8: Heritage of the Kings",
};
constexpr const char* UserLevelsTitle = "User Levels";

constexpr const char* Title = "choose level";
constexpr const char* ChangeLevelHelp =
    "UP ARROW, DOWN ARROW, PAGE UP and PAGE DOWN - Change Level";
constexpr const char* PlayLevelHelp = "SPACE or ENTER - Play Level";
constexpr const char* ReturnHelp = "ESC - Return to Shop";
constexpr const char* WatchBestHelp = "R - Watch Your Best Run";
constexpr const char* ShowHowHelp = "H - Show Me How";
constexpr int32_t KeyWatchBest = 19; // R
constexpr int32_t KeyShowHow = 35;   // H

constexpr uint32_t HeadingColour = 0xAAAA00;
constexpr int32_t PageStep = 10;
// Entries on view either side of the selected one.
constexpr int32_t WindowHalf = LevelWindowRows / 2;

constexpr float PanelX = 885.0f;
constexpr float ListX = 900.0f;
constexpr float ListY = 215.0f;
constexpr float TimesX = 100.0f;
constexpr float TimesNameX = 150.0f;
constexpr float TimesValueX = 450.0f;

int32_t LevelCount() {
    return static_cast<int32_t>(levels.size());
}

const tlvl& Selected() {
    return levels[static_cast<size_t>(SelectedLevel)];
}

bool SelectedOpen() {
    return Selected().state == LevelOpen;
}

float Rows(int32_t rows, int32_t step) {
    return static_cast<float>(rows * step) / ScaleY;
}

void DrawFastestTimes(tservices& s, const tlvl& level, uint32_t colour) {
    DrawPlainMenuText(s, TimesX, ListY, "FASTEST TIMES", OptionText, colour);
    for (int place = 1; place <= FastestTimePlaces; ++place) {
        const tscore& entry = level.times[place - 1];
        if (entry.Value < 0) continue; // nobody has taken this place yet
        const float y = ListY + Rows(place + 1, LineHeight);
        DrawPlainMenuText(s, TimesNameX, y, entry.Name, NormalText, colour);
        DrawPlainMenuText(s, TimesValueX, y, FormatTime(entry.Value), NormalText, colour);
    }
}

// Which kept runs the selected level offers to watch; looked up when the selection moves,
// not in every frame.
struct twatchable {
    int32_t level = -1;
    bool best = false, par = false;
};
twatchable watchable;

void LookUpWatchable() {
    if (watchable.level == SelectedLevel || levels.empty()) return;
    watchable.level = SelectedLevel;
    const std::string best = BestRunPath(CurrentProfile(), Selected().id);
    watchable.best = !best.empty() && files::Exists(files::HomePath(best));
    watchable.par = SelectedLevel < CampaignLevelCount && SelectedOpen() &&
                    files::Exists(ParRunPath(SelectedLevel));
}

void DrawChooseLevel(tservices& s) {
    BeginMenuFrame(s);
    DrawBackground(s, static_cast<int32_t>(PanelX), 200 + static_cast<int32_t>(Rows(1, RowStep())),
                   PanelHeightForRows(LevelWindowRows));
    if (!levels.empty()) {
        const tlvl& level = Selected();
        if (level.state != LevelLocked) {
            const char* heading = SelectedLevel >= CampaignLevelCount
                                      ? UserLevelsTitle
                                      : AreaTitles[static_cast<size_t>(SelectedLevel / AreaSize)];
            DrawMenuText(s, PanelX, ListY, heading, OptionText, HeadingColour);
        }
        const tlevelwindow window = LevelWindow(SelectedLevel, LevelCount());
        for (int32_t i = window.first; i <= window.last; ++i) {
            const tlvl& entry = levels[static_cast<size_t>(i)];
            DrawOptionText(s, ListX, ListY + Rows(i - window.first + 1, RowStep()), i, entry.name,
                           i == SelectedLevel,
                           entry.state == LevelOpen ? RowLook::Normal : RowLook::Unavailable);
        }
        const bool open = SelectedOpen();
        std::vector<std::string_view> help = {ChangeLevelHelp};
        if (open) help.push_back(PlayLevelHelp);
        help.push_back(ReturnHelp);
        LookUpWatchable();
        if (WatchFromLevelChoice && watchable.best) help.push_back(WatchBestHelp);
        if (WatchFromLevelChoice && watchable.par) help.push_back(ShowHowHelp);
        DrawHelpLines(s, help, true);
        DrawFastestTimes(s, level, open ? menucolour::BrightOrange : menucolour::LightGrey);
    } else {
        DrawHelpLines(s, {ReturnHelp}, true);
    }
    DrawMenuTitle(s, Title);
    EndMenuFrame(s);
}

} // namespace

void ComputeLevelStates() {
    for (int32_t i = 0; i < LevelCount(); ++i)
        levels[static_cast<size_t>(i)].state = LevelStateOf(i);
}

tlevelwindow LevelWindow(int32_t selected, int32_t count) {
    const int32_t last = count - 1;
    int32_t first = selected - WindowHalf;
    if (selected <= WindowHalf - 1)
        first = 0;
    else if (selected > last - WindowHalf)
        first = last - (LevelWindowRows - 1);
    // A catalogue shorter than the window starts at the top.
    first = std::max(first, 0);
    return {first, std::min(first + LevelWindowRows - 1, last)};
}

int32_t MoveLevelCursor(int32_t selected, int32_t step, int32_t count) {
    if (count <= 0) return 0;
    if (step >= 0) return (selected + step) % count;
    const int32_t moved = selected + step;
    return moved < 0 ? count - 1 : moved;
}

bool ChooseLevel(tservices& s) {
    ComputeLevelStates();
    // The catalogue may have shrunk since the last visit.
    if (SelectedLevel < 0 || SelectedLevel >= LevelCount()) SelectedLevel = 0;

    watchable.level = -1;
    tmenuinput keys(s);
    bool watchHeld = true, howHeld = true; // held on entry: no press
    bool chosen = false;
    while (NextFrame(s, [&] { DrawChooseLevel(s); })) {
        const tmenukeys pressed = keys.Read(s);
        if (pressed.back) break;
        if (levels.empty()) continue;
        const bool watchDown = s.input->IsKeyDown(KeyWatchBest);
        const bool howDown = s.input->IsKeyDown(KeyShowHow);
        const bool watch = watchDown && !watchHeld, how = howDown && !howHeld;
        watchHeld = watchDown;
        howHeld = howDown;
        LookUpWatchable();
        if (WatchFromLevelChoice && ((watch && watchable.best) || (how && watchable.par))) {
            s.Click();
            WatchFromLevelChoice(s, watch ? WatchKind::BestRun : WatchKind::ParRun);
            // Back on the same level, with nothing held counting as a press.
            keys = tmenuinput(s);
            watchHeld = howHeld = true;
            watchable.level = -1;
            continue;
        }
        const struct {
            bool pressed;
            int32_t step;
        } moves[] = {{pressed.down, 1},
                     {pressed.up, -1},
                     {pressed.pageDown, PageStep},
                     {pressed.pageUp, -PageStep}};
        for (const auto& move : moves) {
            if (!move.pressed) continue;
            SelectedLevel = MoveLevelCursor(SelectedLevel, move.step, LevelCount());
            s.Click();
        }
        if (pressed.confirm && SelectedOpen()) {
            chosen = true;
            break;
        }
    }
    s.Click();
    s.WaitConfirmReleased(true);
    return chosen;
}
