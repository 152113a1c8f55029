#include "world/replay/replayform.h"

#include "engine/settings.h"
#include "level/levelform.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace {

// The numbers a record read from a replay may hold: what a player's slot may hold.
constexpr int64_t MostCount = 999'999'999; // Score, Money
constexpr int32_t MostLives = 99;
constexpr int32_t MostRounds = 999'999;
constexpr size_t LongestPlayerName = 10;
constexpr int ScreenshotKeyCode = 59; // F1

template <typename Number> bool ToNumber(std::string_view s, Number& value, int base = 10) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    while (!s.empty()) {
        const size_t start = s.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        s.remove_prefix(start);
        const size_t end = s.find(' ');
        words.push_back(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view() : s.substr(end);
    }
    return words;
}

// One named number of a "name=value ..." line and what it may hold; the names must come in
// the written order. The writer and the reader of a line share its list.
struct tfield {
    const char* name;
    int64_t low, high;
};

bool ReadFields(std::string_view rest, const std::vector<tfield>& fields,
                std::vector<int64_t>& values, std::string& why) {
    const auto words = Words(rest);
    if (words.size() != fields.size()) {
        why = "expected " + std::to_string(fields.size()) + " values";
        return false;
    }
    values.assign(fields.size(), 0);
    for (size_t i = 0; i < fields.size(); ++i) {
        const tfield& f = fields[i];
        const std::string prefix = std::string(f.name) + "=";
        if (!words[i].starts_with(prefix) || !ToNumber(words[i].substr(prefix.size()), values[i]) ||
            values[i] < f.low || values[i] > f.high) {
            why = std::string(f.name) + " must be a number " + std::to_string(f.low) + ".." +
                  std::to_string(f.high);
            return false;
        }
    }
    return true;
}

std::string FieldsText(const std::vector<tfield>& fields, const std::vector<int64_t>& values) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i)
        text += std::string(i ? " " : "") + fields[i].name + "=" + std::to_string(values[i]);
    return text;
}

// The player's record as he entered the level.
const std::vector<tfield> RecordFields = {{"Score", 0, MostCount},
                                          {"Lives", 1, MostLives},
                                          {"Energy", 1, 100},
                                          {"Jump", 0, 100},
                                          {"Money", 0, MostCount},
                                          {"Gun", 0, GunCount},
                                          {"Own1", 0, 1},
                                          {"Own2", 0, 1},
                                          {"Own3", 0, 1},
                                          {"AmmoCurrent1", 0, MostRounds},
                                          {"AmmoCurrent2", 0, MostRounds},
                                          {"AmmoCurrent3", 0, MostRounds},
                                          {"AmmoAll1", 0, MostRounds},
                                          {"AmmoAll2", 0, MostRounds},
                                          {"AmmoAll3", 0, MostRounds}};

std::vector<int64_t> RecordValues(const tplayer& p) {
    return {p.Score,          p.Lives,          p.Energy,
            p.Jump,           p.Money,          p.Gun,
            p.Own[1],         p.Own[2],         p.Own[3],
            p.AmmoCurrent[1], p.AmmoCurrent[2], p.AmmoCurrent[3],
            p.AmmoAll[1],     p.AmmoAll[2],     p.AmmoAll[3]};
}

void SetRecord(tplayer& p, const std::vector<int64_t>& v) {
    p.Score = int32_t(v[0]);
    p.Lives = int32_t(v[1]);
    p.Energy = int32_t(v[2]);
    p.Jump = int32_t(v[3]);
    p.Money = int32_t(v[4]);
    p.Gun = int32_t(v[5]);
    p.Own = {true, v[6] != 0, v[7] != 0, v[8] != 0};
    for (size_t gun = 1; gun <= GunCount; ++gun) {
        p.AmmoCurrent[gun] = int32_t(v[8 + gun]);
        p.AmmoAll[gun] = int32_t(v[11 + gun]);
    }
}

// How the level ended.
const std::vector<tfield> ResultFields = {
    {"LevelOutcome", -1, 2},          {"frames", 1, MostReplayFrames},
    {"time", 0, INT32_MAX},           {"Score", 0, INT32_MAX},
    {"Lives", 0, MostLives},          {"Money", 0, INT32_MAX},
    {"MonstersKilled", 0, INT32_MAX}, {"PotionsFound", 0, INT32_MAX},
    {"TreasuresFound", 0, INT32_MAX}, {"RoundsFired", 0, INT32_MAX}};

std::vector<int64_t> ResultValues(const treplayresult& o) {
    return {o.LevelOutcome, o.frames,         o.time,         o.Score,          o.Lives,
            o.Money,        o.MonstersKilled, o.PotionsFound, o.TreasuresFound, o.RoundsFired};
}

treplayresult ResultOf(const std::vector<int64_t>& v) {
    return {int32_t(v[0]), v[1],          v[2],          int32_t(v[3]), int32_t(v[4]),
            int32_t(v[5]), int32_t(v[6]), int32_t(v[7]), int32_t(v[8]), int32_t(v[9])};
}

// The bindings, in the order of BindingNames.
const std::vector<tfield> BindingFields = [] {
    std::vector<tfield> fields;
    for (const char* name : BindingNames) fields.push_back({name, 0, 255});
    return fields;
}();

int32_t SettingOf(std::string_view name) {
    for (const NamedSetting& s : IntegerSettings)
        if (name == s.name) return settings.*s.field;
    return 0;
}

void SetSetting(std::string_view name, int32_t value) {
    for (const NamedSetting& s : IntegerSettings)
        if (name == s.name) settings.*s.field = value;
}

std::string KeyLine(const InputStep& step) {
    std::string line = std::to_string(step.frame) + ":";
    for (int code : step.codes) line += " " + std::to_string(code);
    for (int code : step.taps) line += " " + std::to_string(code) + "*";
    return line + "\n";
}

std::string UndrawnText(const std::vector<int64_t>& frames) {
    std::string text;
    for (size_t i = 0; i < frames.size();) {
        size_t j = i;
        while (j + 1 < frames.size() && frames[j + 1] == frames[j] + 1) ++j;
        text += " " + std::to_string(frames[i]);
        if (j > i) text += "-" + std::to_string(frames[j]);
        i = j + 1;
    }
    return text;
}

bool ReadUndrawn(std::string_view rest, int64_t frames, std::vector<int64_t>& out,
                 std::string& why) {
    for (std::string_view word : Words(rest)) {
        const size_t dash = word.find('-');
        int64_t first = 0, last = 0;
        if (!ToNumber(word.substr(0, dash), first) ||
            !ToNumber(dash == std::string_view::npos ? word.substr(0, dash) : word.substr(dash + 1),
                      last) ||
            first > last || (!out.empty() && first <= out.back()) || last >= frames) {
            why = "\"" + std::string(word) + "\" is not a rising frame or range below the frames";
            return false;
        }
        for (int64_t f = first; f <= last; ++f) out.push_back(f);
    }
    return true;
}

// "column height row facing": the floats in their shortest form that reads back the same.
std::string PathLine(const theroplace& place) {
    std::string line;
    char number[32];
    for (float value : {place.column, place.height, place.row}) {
        line.append(number, std::to_chars(number, number + sizeof number, value).ptr);
        line += ' ';
    }
    line.append(number, std::to_chars(number, number + sizeof number, place.facing).ptr);
    return line + "\n";
}

bool ReadPathLine(std::string_view line, theroplace& place) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 4) return false;
    float* values[] = {&place.column, &place.height, &place.row};
    for (size_t i = 0; i < 3; ++i) {
        auto [end, ec] =
            std::from_chars(words[i].data(), words[i].data() + words[i].size(), *values[i]);
        if (ec != std::errc() || end != words[i].data() + words[i].size() ||
            !std::isfinite(*values[i]))
            return false;
    }
    return ToNumber(words[3], place.facing) && place.facing >= 1 && place.facing <= 8;
}

} // namespace

uint64_t LevelHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string FramesClock(int64_t frames) {
    // 35 frames a second: a frame is 100/35 hundredths.
    const int64_t hundredths = frames * 100 / 35;
    char text[48];
    std::snprintf(
        text, sizeof text, "%02lld:%02lld.%02lld", static_cast<long long>(hundredths / 6000),
        static_cast<long long>(hundredths / 100 % 60), static_cast<long long>(hundredths % 100));
    return text;
}

std::array<int32_t, BindingNames.size()> CurrentBindings() {
    std::array<int32_t, BindingNames.size()> bindings{};
    for (size_t i = 0; i < BindingNames.size(); ++i) bindings[i] = SettingOf(BindingNames[i]);
    return bindings;
}

void UseBindings(const std::array<int32_t, BindingNames.size()>& bindings) {
    for (size_t i = 0; i < BindingNames.size(); ++i) SetSetting(BindingNames[i], bindings[i]);
}

std::string ReplayText(const treplay& r) {
    const tplayer& p = r.player;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, r.levelHash);
    std::string text;
    // The whole text in one piece of memory: grown by doubling, a long run's text would
    // leave a trail of freed pieces behind after every level.
    text.reserve(1024 + r.undrawn.size() * 8 + r.path.size() * 40 + r.keys.size() * 24);
    text += std::string(ReplayFirstLine) + "\n";
    text += "game " + r.game + "\n";
    text += "level " + r.levelId + " " + hash + "\n";
    text += "player " + p.Name + "\n";
    text += "record " + FieldsText(RecordFields, RecordValues(p)) + "\n";
    text += "bindings " +
            FieldsText(BindingFields, std::vector<int64_t>(r.bindings.begin(), r.bindings.end())) +
            "\n";
    text += "guide " + std::to_string(int{r.guideOn}) + "\n";
    text += "random " + std::to_string(r.seed) + "\n";
    text += "framecounter " + std::to_string(r.frameCounter) + "\n";
    text += "result " + FieldsText(ResultFields, ResultValues(r.result)) + "\n";
    text += "undrawn" + UndrawnText(r.undrawn) + "\n";
    if (!r.path.empty() && static_cast<int64_t>(r.path.size()) == r.result.frames &&
        r.result.frames <= MostPathFrames) {
        text += "path " + std::to_string(r.path.size()) + "\n";
        for (const theroplace& place : r.path) text += PathLine(place);
    }
    text += "keys\n";
    for (const InputStep& step : r.keys) text += KeyLine(step);
    return text;
}

std::optional<treplay> ParseReplay(std::string_view text, std::string& error) {
    treplay r;
    int lineNumber = 0;
    auto nextLine = [&](std::string_view keyword, std::string_view& rest) {
        ++lineNumber;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line == keyword) {
            rest = {};
            return true;
        }
        if (!line.starts_with(keyword) || line.size() == keyword.size() ||
            line[keyword.size()] != ' ')
            return false;
        rest = line.substr(keyword.size() + 1);
        return true;
    };
    auto fail = [&](std::string_view why) {
        error = "line " + std::to_string(lineNumber) + ": " + std::string(why);
        return std::nullopt;
    };
    std::string_view rest;
    std::string why;

    if (!nextLine(ReplayFirstLine, rest) || !rest.empty())
        return fail(std::string("not a replay (the first line must be \"") + ReplayFirstLine +
                    "\")");
    if (!nextLine("game", rest) || rest.empty()) return fail("expected \"game VERSION\"");
    r.game = rest;

    if (!nextLine("level", rest)) return fail("expected \"level ID HASH\"");
    auto words = Words(rest);
    if (words.size() != 2 || !IsLevelId(words[0]) || words[1].size() != 16 ||
        !ToNumber(words[1], r.levelHash, 16))
        return fail("expected \"level ID HASH\" with a level Id and 16 hexadecimal digits");
    r.levelId = words[0];

    if (!nextLine("player", rest) || rest.empty() || rest.size() > LongestPlayerName)
        return fail("expected \"player NAME\" with a name of 1 to 10 characters");
    for (char c : rest)
        if (c < ' ' || c > '~') return fail("the player's name holds an unprintable byte");
    r.player.Name = rest;

    std::vector<int64_t> values;
    if (!nextLine("record", rest)) return fail("expected \"record ...\"");
    if (!ReadFields(rest, RecordFields, values, why)) return fail(why);
    tplayer& p = r.player;
    SetRecord(p, values);
    if (!p.Own[size_t(p.Gun)]) return fail("the gun in hand is one the player does not own");

    if (!nextLine("bindings", rest)) return fail("expected \"bindings ...\"");
    if (!ReadFields(rest, BindingFields, values, why)) return fail(why);
    for (size_t i = 0; i < values.size(); ++i) r.bindings[i] = int32_t(values[i]);

    if (!nextLine("guide", rest) || (rest != "0" && rest != "1"))
        return fail("expected \"guide 0\" or \"guide 1\"");
    r.guideOn = rest == "1";
    if (!nextLine("random", rest) || !ToNumber(rest, r.seed))
        return fail("expected \"random N\" with N 0..4294967295");
    if (!nextLine("framecounter", rest) || !ToNumber(rest, r.frameCounter))
        return fail("expected \"framecounter N\" with N 0..65535");

    if (!nextLine("result", rest)) return fail("expected \"result ...\"");
    if (!ReadFields(rest, ResultFields, values, why)) return fail(why);
    r.result = ResultOf(values);
    const treplayresult& o = r.result;

    if (!nextLine("undrawn", rest)) return fail("expected \"undrawn ...\"");
    if (!ReadUndrawn(rest, o.frames, r.undrawn, why)) return fail(why);
    if (text.starts_with("path ")) {
        int64_t steps = 0;
        if (!nextLine("path", rest) || !ToNumber(rest, steps) || steps != o.frames ||
            steps > MostPathFrames)
            return fail("expected \"path FRAMES\" with the result's frames");
        r.path.resize(static_cast<size_t>(steps));
        for (theroplace& place : r.path) {
            ++lineNumber;
            const size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            if (line.ends_with('\r')) line.remove_suffix(1);
            if (end == std::string_view::npos || !ReadPathLine(line, place))
                return fail("expected \"COLUMN HEIGHT ROW FACING\" of the hero's path");
            text.remove_prefix(end + 1);
        }
    }
    if (!nextLine("keys", rest) || !rest.empty()) return fail("expected \"keys\"");

    auto keys = ParseInputScript(text, why);
    if (!keys) {
        // The script's own line numbers count from the line after "keys".
        error = "keys, " + why;
        return std::nullopt;
    }
    // Watching a run must never take screenshots: F1 is not written down, nor read.
    for (const InputStep& step : *keys)
        for (const auto* codes : {&step.codes, &step.taps})
            for (int code : *codes)
                if (code == ScreenshotKeyCode) {
                    error = "keys: F1 (the screenshot key) has no place in a replay";
                    return std::nullopt;
                }
    r.keys = std::move(*keys);
    return r;
}
