#pragma once
// The two top-ten tables (by score and by money, "highscore.dat") and the fastest times of
// each level (one ".tim" file per level, where TimesPath puts it).
#include "campaign/levels.h"
#include "campaign/savefiles.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int RecordPlaces = 10;
using tscoretable = std::array<tscore, RecordPlaces>; // place 1 is [0], highest first

extern tscoretable ScoreTable;
extern tscoretable MoneyTable;

inline constexpr const char* UnknownRecordName = "unknown";
inline constexpr const char* HighScoresFileName = "highscore.dat";
inline constexpr const char* OldHighScoresFileName = "highscore.xml";
// Twenty entries take about two kilobytes.
inline constexpr size_t LargestHighScoresFile = size_t{64} << 10;
// What EnterRecord and EnterFastestTime return when the value did not get in.
inline constexpr int NotEntered = -1;
inline constexpr int NoTimeRank = 10;

// Both tables: ten "unknown" entries with no Id and value 0.
void ClearRecordTables();

// Reads "highscore.xml" from the user folder when it exists, else (or when it does not load)
// "highscore.dat". Any error ends the load quietly and keeps the entries copied before it;
// "highscore.xml" is deleted only after a complete load. A "highscore.dat" that does not
// load is moved aside by the next SaveHighScores (see savefiles.h).
void LoadHighScores();
// Loads one file over the tables; true when it loaded completely. Never deletes the file.
bool LoadHighScoresFrom(std::string_view fileName, bool hexForm);

std::string HighScoresDocument();
// "highscore.dat" in the user folder; false when writing failed (old file untouched).
bool SaveHighScores();
bool SaveHighScoresTo(std::string_view fileName);

// Offers the current player's value to a table; the place taken (1..10) or NotEntered.
// A player holds at most one entry (by Id), which always shows his latest accepted value.
int EnterRecord(tscoretable& table, int64_t value);

// Offers the current player's time (ms) on catalogue entry levelIndex; the place taken
// (1..5) or NoTimeRank. A time equal to a stored one goes below it.
int EnterFastestTime(int levelIndex, int64_t time);

// The times document of one level, places 1..5.
std::string FastestTimesDocument(const tlvl& level);
// Writes the times file of every catalogue entry whose times changed since they were read
// or last written (campaign levels into "lvl\" of the user folder, user levels beside their
// own level file). When two entries would share one times file, the first in catalogue
// order keeps it. False when any file could not be written; each such file is noted in
// `failures` when given, and stays to be written by the next save.
bool SaveFastestTimes(tsavereport* failures = nullptr);
// The times file of one level alone (after each settlement); false when writing failed.
// A written file is no longer changed.
bool SaveLevelTimes(tlvl& level);

// mm:ss.zzz with at least two digits of minutes: 83456 -> "01:23.456".
std::string FormatTime(int64_t milliseconds);
