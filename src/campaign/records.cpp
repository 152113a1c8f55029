#include "campaign/records.h"

#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "campaign/savefiles.h"
#include "engine/xmlparser.h"
#include "platform/files.h"

#include <charconv>
#include <cstdio>
#include <set>
#include <vector>

namespace {
tscoretable UnknownTable() {
    tscoretable table;
    for (tscore& entry : table) entry = {UnknownRecordName, "", 0};
    return table;
}

// The two tables in the document, each with the element that holds its value.
struct TableInFile {
    tscoretable* table;
    const char* element;
};
const TableInFile TablesInFile[] = {{&ScoreTable, "Score"}, {&MoneyTable, "Money"}};

// Values are written from 64 bits and read back the same way.
int64_t ValueOf(const tnode& node) {
    int64_t value = 0;
    const char* end = node.text.data() + node.text.size();
    auto [stop, error] = std::from_chars(node.text.data(), end, value);
    if (node.text.empty() || error != std::errc() || stop != end)
        throw XmlError("<" + node.name + "> holds \"" + node.text + "\", not a number");
    return value;
}
} // namespace

tscoretable ScoreTable = UnknownTable();
tscoretable MoneyTable = UnknownTable();

void ClearRecordTables() {
    ScoreTable = UnknownTable();
    MoneyTable = UnknownTable();
}

bool LoadHighScoresFrom(std::string_view fileName, bool hexForm) {
    // Entries are copied one by one: an error keeps the entries copied before it.
    try {
        auto root = hexForm ? LoadHexDocument(fileName, LargestHighScoresFile)
                            : LoadScrambledDocument(fileName, LargestHighScoresFile);
        if (!root) return false;
        const tnode& top = root->Child("Top");
        for (const TableInFile& inFile : TablesInFile) {
            const tnode& list = top.Child(inFile.element);
            for (int place = 0; place < RecordPlaces; ++place) {
                const tnode& player = list.Child("Player", place);
                tscore entry{Unescaped(player.Child("Name").text),
                             Unescaped(player.Child("Id").text),
                             ValueOf(player.Child(inFile.element))};
                (*inFile.table)[place] = std::move(entry);
            }
        }
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

namespace {
tsavefile highScoresFile{OldHighScoresFileName, HighScoresFileName, LoadHighScoresFrom, {}};
}

void LoadHighScores() {
    LoadSaveFile(highScoresFile);
}

std::string HighScoresDocument() {
    std::string d = "<Top>";
    for (const TableInFile& inFile : TablesInFile) {
        const std::string element = inFile.element;
        d += "<" + element + ">";
        for (const tscore& entry : *inFile.table)
            d += "<Player><Name>" + Escaped(entry.Name) + "</Name><Id>" + Escaped(entry.Id) +
                 "</Id><" + element + ">" + Decimal(entry.Value) + "</" + element + "></Player>";
        d += "</" + element + ">";
    }
    return d + "</Top>";
}

bool SaveHighScoresTo(std::string_view fileName) {
    return TrySaveScrambledDocument(fileName, HighScoresDocument());
}

bool SaveHighScores() {
    return KeepUnreadableFile(highScoresFile) &&
           SaveHighScoresTo(files::HomePath(HighScoresFileName));
}

int EnterRecord(tscoretable& table, int64_t value) {
    if (value <= table[RecordPlaces - 1].Value) return NotEntered;
    const tplayer& player = CurrentProfile();
    std::vector<tscore> entries(table.begin(), table.end());
    // A player holds one entry: his older one goes (the lowest placed, should there be
    // several). "unknown" entries have no Id and never match.
    if (!player.Id.empty()) {
        for (size_t i = entries.size(); i-- > 0;) {
            if (entries[i].Id == player.Id) {
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
    }
    // Up from the bottom past every smaller value: a tie leaves the older entry above.
    size_t place = entries.size();
    while (place > 0 && entries[place - 1].Value < value) --place;
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(place),
                   tscore{player.Name, player.Id, value});
    for (int i = 0; i < RecordPlaces; ++i) table[i] = entries[i];
    return static_cast<int>(place) + 1;
}

int EnterFastestTime(int levelIndex, int64_t time) {
    if (levelIndex < 0 || static_cast<size_t>(levelIndex) >= levels.size()) return NoTimeRank;
    tscore* times = levels[levelIndex].times;
    const std::string& name = CurrentProfile().Name;
    int result = NoTimeRank;
    // From place 5 up: every place that is empty or slower moves down one and takes the
    // new time, so in an ordered list the time bubbles up to its place.
    for (int i = FastestTimePlaces - 1; i >= 0; --i) {
        if (times[i].Value < 0 || time < times[i].Value) {
            times[i + 1] = times[i];
            times[i] = tscore{name, "", time};
            result = i + 1;
        }
    }
    if (result != NoTimeRank) levels[levelIndex].timesChanged = true;
    return result;
}

std::string FastestTimesDocument(const tlvl& level) {
    std::string d = "<Level>";
    for (int i = 0; i < FastestTimePlaces; ++i)
        d += "<Player><Name>" + Escaped(level.times[i].Name) + "</Name><Time>" +
             Decimal(level.times[i].Value) + "</Time></Player>";
    return d + "</Level>";
}

bool SaveLevelTimes(tlvl& level) {
    // The user folder starts without a "lvl" or "customlvl" folder of its own.
    const std::string path = TimesPath(level);
    const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    if (folder != level.Folder() && !files::Exists(folder)) files::MakeFolder(folder);
    if (!TrySaveScrambledDocument(path, FastestTimesDocument(level))) return false;
    level.timesChanged = false;
    return true;
}

bool SaveFastestTimes(tsavereport* failures) {
    bool allWritten = true;
    std::set<std::string> claimed;
    for (tlvl& level : levels) {
        // Two entries of one Id in one folder would share a file, and the first in
        // catalogue order keeps it.
        if (!claimed.insert(files::NativePath(TimesPath(level))).second) continue;
        // Eighty and more files written and flushed at every Quit cost seconds on a slow
        // disk; one whose times did not change holds them already.
        if (!level.timesChanged || SaveLevelTimes(level)) continue;
        allWritten = false;
        if (failures) NoteFailedSave(*failures, TimesPath(level));
    }
    return allWritten;
}

std::string FormatTime(int64_t milliseconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2lld:%.2lld.%.3lld",
                  static_cast<long long>(milliseconds / 60000),
                  static_cast<long long>(milliseconds / 1000 % 60),
                  static_cast<long long>(milliseconds % 1000));
    return text;
}
