#pragma once
// Saving the campaign's files as one: the players first, and the records only once the
// players are on disk. A save that fails part-way then never leaves a high-score entry or a
// fastest time that the saved players know nothing of; what was not written stays in
// memory and goes with the next save. A failure is told to the player: which file and why.
#include "campaign/levels.h"
#include "campaign/savefiles.h"

#include <string>

// After a level: "players.dat"; when it was written, "highscore.dat" and the level's times
// file when its times changed.
tsavereport SaveSettlement(tlvl& level);
// At Quit: "players.dat"; when it was written, "highscore.dat" and every times file whose
// times changed.
tsavereport SaveCampaign();

// One line for the results screen, empty when everything was saved:
// "Not saved: players.dat (No space left on device)", with "and N more" for further files.
std::string SaveReportLine(const tsavereport& report);
// The message at Quit: a line per file that was not saved, with its path and why.
std::string SaveReportMessage(const tsavereport& report);
// The report's lines go to the log too (where a full disk may well refuse them).
void LogSaveReport(const tsavereport& report);
