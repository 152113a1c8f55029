// The results of a level: how it ended, the reward and the score counted up over ten
// frames, the level's statistics and its fastest times with the place the player took.
#include "campaign/results.h"

#include "campaign/levels.h"
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/screens.h"
#include "render/assetorder.h"
#include "render/screenlayout.h"
#include "render/text.h"
#include "world/loop/gameloop.h"
#include "world/replay/replayform.h"

#include "world/tables.h"
#include <cmath>

#include <algorithm>
#include <array>

namespace {

// By outcome.
constexpr std::array<const char*, 3> Titles{"retreated", "game over", "level completed"};

struct tstatistictext {
    const char* none; // count 0
    const char* one;  // count 1
    const char* many; // after the counted number
};
constexpr std::array<tstatistictext, 4> StatisticTexts{{
    {"No Monsters Killed", "1 Monster Killed", " Monsters Killed"},
    {"No Potions Found", "1 Potion Found", " Potions Found"},
    {"No Treasures Found", "1 Treasure Found", " Treasures Found"},
    {"No Rounds Fired", "1 Round Fired", " Rounds Fired"},
}};
// The line of the first statistic; the others follow on the next lines.
constexpr int32_t FirstStatisticLine = 4;

constexpr float TopY = 215.0f;
constexpr float LabelX = 100.0f;
constexpr float ValueX = 280.0f;
constexpr float StatisticX = 150.0f;
constexpr float TimesX = 900.0f;
constexpr float TimesNameX = 950.0f;
constexpr float TimesValueX = 1250.0f;
constexpr float OwnTimeX = 850.0f;
constexpr float OwnTimeValueX = 1300.0f;
constexpr float ShopX = 150.0f;
constexpr int32_t ShopLine = 9;
// The par time of a completed campaign level, under the times.
constexpr int32_t ParLine = 10;
// A save the settlement could not make is told under everything else.
constexpr int32_t SaveProblemLine = 11;
// "Main Menu" after a game over stands at fixed pixels below the menu top.
constexpr int32_t MainMenuPixelX = 250;
constexpr int32_t MainMenuPixelY = 420;

// Design y of text line `line` under the top.
float Line(int32_t line) {
    return TopY + static_cast<float>(line * LineHeight) / ScaleY;
}

struct tresultsview {
    const tresults& results;
    int32_t outcome;
    int32_t step = 0;
    int32_t reward = 0;
    int64_t scoreGained = 0;
};

void DrawTimes(tservices& s, const tresultsview& view) {
    using namespace menucolour;
    DrawPlainMenuText(s, TimesX, TopY, "FASTEST TIMES", OptionText, BrightOrange);
    if (SelectedLevel >= 0 && static_cast<size_t>(SelectedLevel) < levels.size()) {
        const tlvl& level = levels[static_cast<size_t>(SelectedLevel)];
        for (int place = 1; place <= FastestTimePlaces; ++place) {
            const tscore& entry = level.times[place - 1];
            if (entry.Value < 0) continue; // nobody has taken this place yet
            const uint32_t colour = place == view.results.TimeRank ? BrightOrange : DarkOrange;
            DrawPlainMenuText(s, TimesNameX, Line(place + 1), entry.Name, NormalText, colour);
            DrawPlainMenuText(s, TimesValueX, Line(place + 1), FormatTime(entry.Value), NormalText,
                              colour);
        }
    }
    // A completed level whose time did not get in still shows the player his time.
    if (view.outcome == OutcomeCompleted && view.results.TimeRank > FastestTimePlaces) {
        DrawPlainMenuText(s, OwnTimeX, Line(7), "...", NormalText, DarkOrange);
        DrawPlainMenuText(s, OwnTimeX, Line(8), CurrentProfile().Name, NormalText, BrightOrange);
        DrawPlainMenuText(s, OwnTimeValueX, Line(8), FormatTime(view.results.LevelTime), NormalText,
                          BrightOrange);
    }
}

void DrawResults(tservices& s, const tresultsview& view) {
    using namespace menucolour;
    const tplayer& player = CurrentProfile();
    BeginMenuFrame(s);
    DrawBackground(s, -1, 0, 0);
    DrawMenuTitle(s, Titles[static_cast<size_t>(view.outcome)]);

    if (view.outcome == OutcomeCompleted) {
        DrawPlainMenuText(s, LabelX, TopY, "REWARD", OptionText, BrightOrange);
        DrawPlainMenuText(s, ValueX, TopY,
                          std::to_string(CountedValue(view.reward, view.step)) + ".00 e (" +
                              std::to_string(player.Money) + ".00 e)",
                          OptionText, BrightOrange);
    }
    DrawPlainMenuText(s, LabelX, Line(2), "SCORE", OptionText, BrightOrange);
    DrawPlainMenuText(s, ValueX, Line(2),
                      std::to_string(CountedValue(view.scoreGained, view.step)) + " (" +
                          std::to_string(player.Score) + ")",
                      OptionText, BrightOrange);

    const std::array<int32_t, 4> counts{inlevel.MonstersKilled, inlevel.PotionsFound,
                                        inlevel.TreasuresFound, inlevel.RoundsFired};
    for (size_t k = 0; k < counts.size(); ++k)
        DrawPlainMenuText(s, StatisticX, Line(FirstStatisticLine + static_cast<int32_t>(k)),
                          StatisticText(static_cast<Statistic>(k), counts[k], view.step),
                          NormalText, BrightOrange);

    DrawTimes(s, view);
    if (view.outcome == OutcomeCompleted && view.results.ParFrames >= 0)
        DrawPlainMenuText(s, TimesX, Line(ParLine), "PAR " + FramesClock(view.results.ParFrames),
                          NormalText, BrightOrange);

    if (view.outcome == OutcomeGameOver) {
        DrawOutlinedText(*s.sprites,
                         MainMenuPixelX + static_cast<int32_t>(std::lround(Sway(s, 0) * ScaleX)),
                         MenuTop + MainMenuPixelY, "Main Menu", Black, NormalText, false,
                         sprites::FirstFontGlyph, BrightOrange, 255);
        DrawHelpLines(s, {"SPACE, ENTER or ESC - Return to Main Menu"}, true);
    } else {
        DrawOptionText(s, ShopX, Line(ShopLine), 0, "Enter Shop -->", true);
        DrawHelpLines(s, {"SPACE or ENTER - Enter Shop", "ESC - Return to Main Menu"}, true);
    }
    if (!view.results.SaveProblem.empty())
        DrawPlainMenuText(s, LabelX, Line(SaveProblemLine), view.results.SaveProblem, NormalText,
                          White);
    EndMenuFrame(s);
}

} // namespace

int32_t RewardFor(int32_t treasureBonus) {
    return LevelReward + treasureBonus;
}

int64_t CountedValue(int64_t value, int32_t step) {
    return value * step / CountUpSteps;
}

bool TicksAt(int32_t step, int64_t largest) {
    return largest >= step;
}

std::string StatisticText(Statistic statistic, int32_t count, int32_t step) {
    const tstatistictext& text = StatisticTexts[static_cast<size_t>(statistic)];
    if (count == 0) return text.none;
    if (count == 1) return text.one;
    return std::to_string(CountedValue(count, step)) + text.many;
}

bool LevelResults(tservices& s, const tresults& results) {
    s.WaitConfirmReleased();
    tresultsview view{results,
                      std::clamp(results.LevelOutcome, OutcomeRetreated, OutcomeCompleted)};
    view.reward = RewardFor(inlevel.TreasureBonus);
    view.scoreGained = static_cast<int64_t>(CurrentProfile().Score) - results.StartScore;
    const int64_t largest =
        std::max({view.scoreGained, int64_t{inlevel.MonstersKilled}, int64_t{inlevel.PotionsFound},
                  int64_t{inlevel.TreasuresFound}, int64_t{inlevel.RoundsFired}});

    tmenuinput keys(s);
    bool goOn = false;
    for (;;) {
        if (view.step < CountUpSteps) {
            ++view.step;
            if (TicksAt(view.step, largest)) s.PlayEffect(sfx::Points);
        }
        if (!NextFrame(s, [&] { DrawResults(s, view); })) break;
        const tmenukeys pressed = keys.Read(s);
        if (pressed.back) {
            s.Click();
            break;
        }
        if (pressed.confirm) {
            s.Click();
            goOn = true;
            break;
        }
    }
    s.WaitConfirmReleased(true);
    return goOn;
}
