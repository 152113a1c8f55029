// The main menu, the play chain (choose player, shop, choose level, play, results) and
// Quit. Each screen is a function of its own in campaign/; this file only says which
// follows which.
#include "startup/flow.h"

#include "campaign/levels.h"
#include "campaign/menu.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/replays.h"
#include "campaign/saving.h"
#include "campaign/screens.h"
#include "engine/random.h"
#include "engine/settings.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "render/assetorder.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "startup/watchrun.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

namespace {

// The picture and music that follow a level, by its outcome.
struct toutcomescreen {
    const char* music;
    const char* picture;
};
constexpr toutcomescreen OutcomeScreens[] = {
    {MenuMusic, "gfx\\escape.jpg"},      // retreated
    {GameOverMusic, "gfx\\funeral.jpg"}, // game over
    {MenuMusic, "gfx\\completed.jpg"},   // completed
};

void EnterMainMenu(TForm1& form) {
    tservices& s = form.services;
    Randomize(form.seed ? form.seed() : sysclock::TickCount());
    ClearRecordTables();
    LoadHighScores();
    s.sound->PlayMusic(MenuMusic, static_cast<float>(settings.MusicVolume) / 100.0f);
    hero = thero{};
    s.timer->SetFramesPerSecond(FramesPerSecond);
    s.timer->Restart();
    MainMenuItem = 0;
}

// R or H on the level choice: the selected level's kept best run or its par run, watched.
void WatchFromChoice(tservices& s, WatchKind kind) {
    const tlvl& level = levels[static_cast<size_t>(SelectedLevel)];
    const std::string path = kind == WatchKind::BestRun
                                 ? files::HomePath(BestRunPath(CurrentProfile(), level.id))
                                 : ParRunPath(SelectedLevel);
    WatchRun(s, level, path);
    CurrentScreen = "level";
    SetMenuPicture(s, "gfx\\chooselevel.jpg");
}

// Choose player -> shop -> choose level -> play -> results, and back, until the chain ends.
void PlayChain(TForm1& form) {
    tservices& s = form.services;
    WatchFromLevelChoice = WatchFromChoice;
    enum { ChoosePlayerStep, ShopStep, ChooseLevelStep } step = ChoosePlayerStep;
    while (!s.Closing()) {
        switch (step) {
        case ChoosePlayerStep:
            CurrentScreen = "player";
            SetMenuPicture(s, "gfx\\choosecharacter.jpg");
            if (!ChoosePlayer(s)) return;
            step = ShopStep;
            break;
        case ShopStep:
            CurrentScreen = "shop";
            SetMenuPicture(s, "gfx\\shopping.jpg");
            step = Shop(s) ? ChooseLevelStep : ChoosePlayerStep;
            break;
        case ChooseLevelStep: {
            CurrentScreen = "level";
            SetMenuPicture(s, "gfx\\chooselevel.jpg");
            if (!ChooseLevel(s)) {
                step = ShopStep;
                break;
            }
            form.PlayTheGame(MainMenuItem);
            if (s.Closing()) return;
            if (form.LevelOutcome < 0 || form.LevelOutcome > OutcomeCompleted) return;
            const toutcomescreen& after = OutcomeScreens[form.LevelOutcome];
            s.sound->PlayMusic(after.music, static_cast<float>(settings.MusicVolume) / 100.0f);
            SetMenuPicture(s, after.picture);
            CurrentScreen = "results";
            tresults results;
            results.LevelOutcome = form.LevelOutcome;
            results.StartScore = form.StartScore;
            results.LevelTime = form.LevelTime;
            results.TimeRank = form.TimeRank;
            results.SaveProblem = form.SaveProblem;
            if (SelectedLevel < CampaignLevelCount) results.ParFrames = ParFrames(SelectedLevel);
            const bool goOn = LevelResults(s, results);
            if (!goOn || form.LevelOutcome == OutcomeGameOver) return;
            step = ShopStep;
            break;
        }
        }
    }
}

} // namespace

tsavereport SaveEverything(const tservices& services) {
    tsavereport report = SaveCampaign();
    // The settings stand apart from the campaign: they are written whatever became of it.
    if (!WriteSettingsFile(SettingsFileName, services.input ? services.input->GetSensitivity()
                                                            : settings.PadSensitivity))
        NoteFailedSave(report, files::HomePath(SettingsFileName));
    return report;
}

void RunMainMenu(TForm1& form) {
    tservices& s = form.services;
    EnterMainMenu(form);
    for (;;) {
        const MainMenuChoice choice = MainMenu(s);
        if (choice == MainMenuChoice::Quit) break;
        if (choice == MainMenuChoice::Setup) {
            CurrentScreen = "options";
            OptionsScreen(s);
            continue;
        }
        SelectedLevel = 0;
        PlayChain(form);
        SetMenuPicture(s, "gfx\\mainmenu.jpg");
    }
    s.Click();
    s.WaitConfirmReleased();
    const tsavereport report = SaveEverything(s);
    if (report.empty()) return;
    LogSaveReport(report);
    ShowMessage(SaveReportMessage(report), MessageIcon::Error);
}
