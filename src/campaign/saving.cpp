#include "campaign/saving.h"

#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "engine/log.h"
#include "platform/files.h"

namespace {

// The part of a path after its last folder; times files have game paths ("customlvl\\x.tim").
std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

// False (and noted) when the players could not be written: the records must then wait.
bool SavePlayersFirst(tsavereport& report) {
    if (SavePlayers()) return true;
    NoteFailedSave(report, files::HomePath(PlayersFileName));
    return false;
}

void SaveRecords(tsavereport& report) {
    if (!SaveHighScores()) NoteFailedSave(report, files::HomePath(HighScoresFileName));
}

} // namespace

tsavereport SaveSettlement(tlvl& level) {
    tsavereport report;
    if (!SavePlayersFirst(report)) return report;
    SaveRecords(report);
    if (level.timesChanged && !SaveLevelTimes(level)) NoteFailedSave(report, TimesPath(level));
    return report;
}

tsavereport SaveCampaign() {
    tsavereport report;
    if (!SavePlayersFirst(report)) return report;
    SaveRecords(report);
    SaveFastestTimes(&report);
    return report;
}

std::string SaveReportLine(const tsavereport& report) {
    if (report.empty()) return {};
    const tsavefailure& first = report.front();
    std::string line = "Not saved: " + NameOf(first.file) + " (" + first.reason + ")";
    if (report.size() > 1) line += " and " + std::to_string(report.size() - 1) + " more";
    return line;
}

std::string SaveReportMessage(const tsavereport& report) {
    std::string message = "These files could not be saved:";
    for (const tsavefailure& failure : report)
        message += "\n" + failure.file + ": " + failure.reason;
    return message;
}

void LogSaveReport(const tsavereport& report) {
    for (const tsavefailure& failure : report)
        WriteLog(failure.file + " could not be saved: " + failure.reason);
}
