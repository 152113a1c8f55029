// Playing the chosen level and settling it: money, score, the completed list, the areas it
// opens, the epilogue, the level's fastest times and the record tables.
#include "startup/form1.h"

#include "campaign/levels.h"
#include "campaign/players.h"
#include "campaign/progress.h"
#include "campaign/records.h"
#include "campaign/replays.h"
#include "campaign/results.h"
#include "campaign/saving.h"
#include "campaign/screens.h"
#include "engine/settings.h"
#include "level/levelform.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "startup/options.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/replay/ghost.h"
#include "world/replay/replayplay.h"
#include "world/replay/replayrecorder.h"
#include "world/tables.h"
#include "world/worldops.h"

namespace {

constexpr int32_t CompletionPoints = 100;

std::unique_ptr<tnode> ReadLevelDocument(const tlvl& level) {
    // A level that has gone since start-up is skipped, not fatal. So is one whose header
    // Id is not one the editor makes: it is what the player's list records, and the level
    // check reads the Id of the parsed document, which markup in the header can make differ.
    if (!IsLevelId(level.id) || !files::Exists(level.path)) return nullptr;
    try {
        return LoadHeaderedDocument(level.path, LargestLevelFile);
    } catch (const XmlError&) {
        return nullptr;
    }
}

} // namespace

void TForm1::PlayTheGame(int32_t& mainMenuItem) {
    PlayAndSettle(mainMenuItem);
    // The level's document, its run and the texts written are gone by now: the game goes
    // back to the menus as small as it left them.
    ReturnFreedMemory();
}

void TForm1::PlayAndSettle(int32_t& mainMenuItem) {
    SaveProblem.clear();
    if (SelectedLevel < 0 || static_cast<size_t>(SelectedLevel) >= levels.size()) return;
    tlvl& level = levels[static_cast<size_t>(SelectedLevel)];
    tplayer& player = CurrentProfile();
    UsePlayerRecord(player);

    StartScore = player.Score;
    std::unique_ptr<tnode> document = ReadLevelDocument(level);
    if (!document) return; // nothing played, nothing settled
    std::string levelBytes;
    files::ReadAll(level.path, levelBytes, LargestLevelFile);
    StartGhost(level, levelBytes, *document);

    CurrentScreen = "play";
    treplayrecorder recorder;
    recorder.Begin(*services.input, VersionText, level.id, LevelHash(levelBytes));
    const uint32_t t0 = services.TickCount();
    LevelOutcome = GameLoop(services, *document);
    // The counts wrap after 49 days; their difference taken in 32 bits stays right across it.
    LevelTime = static_cast<int64_t>(static_cast<uint32_t>(services.TickCount() - t0));
    const treplay run = recorder.Finish(*services.input, LevelOutcome, LevelTime);
    ghostpath.clear();
    document.reset();
    TimeRank = NoTimeRank;

    if (inlevel.ExitFade > 0) {
        player.Money += RewardFor(inlevel.TreasureBonus);
        AddScore(CompletionPoints);
        player.Levels.push_back(level.id);
        OpenAreas();
        if (SelectedLevel < CampaignLevelCount && CampaignCompleted()) {
            CurrentScreen = "epilogue";
            Epilogue(services);
        }
        TimeRank = EnterFastestTime(SelectedLevel, LevelTime);
    }

    const bool moneyPlace = EnterRecord(MoneyTable, player.Money) > 0;
    const bool scorePlace = EnterRecord(ScoreTable, player.Score) > 0;
    if (moneyPlace || scorePlace) mainMenuItem = 1;

    // An evening of play must survive a crash or a power cut: what this level changed is
    // on disk at once (Quit writes again whatever this could not).
    const tsavereport report = SaveSettlement(level);
    LogSaveReport(report);
    SaveProblem = SaveReportLine(report);
    // After the settlement, which a replay that cannot be written must never touch.
    KeepRun(run, player);
}

void TForm1::StartGhost(const tlvl& level, std::string_view levelBytes, const tnode& document) {
    ghostpath.clear();
    if (!settings.GhostRuns) return;
    const auto best = ReadKeptRun(BestRunPath(CurrentProfile(), level.id));
    std::string why;
    if (best && ReplayFitsLevel(*best, level.name, level.id, levelBytes, why))
        ghostpath = GhostPath(*best, document);
}
