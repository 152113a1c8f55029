#include "campaign/leveltimes.h"

#include "engine/xmlparser.h"
#include "platform/files.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {
// A time is a signed 64-bit count of milliseconds and is written as one; reading it as a
// 32-bit number would call a file with a long (or clock-wrapped) time damaged and lose it.
int64_t TimeOf(const tnode& node) {
    const std::string& text = node.text;
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        throw XmlError("<" + node.name + "> holds \"" + text + "\", not a number");
    return value;
}
} // namespace

void ClearFastestTimes(tscore (&times)[FastestTimePlaces + 1]) {
    for (tscore& place : times) place = {NoResultName, "", NoResultTime};
}

void ReadTimesFile(std::string_view fileName, tscore (&times)[FastestTimePlaces + 1]) {
    // A damaged times file costs at most its own records: places read before the fault
    // keep their values, the rest stay empty.
    try {
        auto root = LoadScrambledDocument(fileName, LargestTimesFile);
        if (!root) return;
        const tnode& level = root->Child("Level");
        for (int i = 0; i < FastestTimePlaces; ++i) {
            const tnode& player = level.Child("Player", i);
            times[i] =
                tscore{Unescaped(player.Child("Name").text), "", TimeOf(player.Child("Time"))};
        }
    } catch (const XmlError&) {
    }
}

namespace {
constexpr size_t LongestPlainId = 64;

bool IsPlainFileName(std::string_view id) {
    if (id.empty() || id.size() > LongestPlainId || id == "." || id == "..") return false;
    for (char c : id) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

// 64-bit FNV-1a: the same Id gives the same name on every run and every machine.
uint64_t HashOf(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}
} // namespace

std::string TimesFileName(std::string_view id) {
    if (IsPlainFileName(id)) return std::string(id) + ".tim";
    char name[32];
    std::snprintf(name, sizeof name, "id-%016llx.tim", static_cast<unsigned long long>(HashOf(id)));
    return name;
}

std::string TimesPath(const tlvl& level) {
    const std::string folder = level.Folder();
    if (folder == CampaignFolder) return files::HomePath(folder + level.timesfile);
    // A user level keeps its times beside it, unless that folder is read-only (an installed
    // game's). A folder that has gone is no reason to write elsewhere: saving there fails.
    const bool readOnly = files::Exists(folder) && !files::CanWriteIn(folder);
    if (!readOnly) return folder + level.timesfile;
    return files::HomePath(std::string(UserFolder) + level.timesfile);
}

void ReadFastestTimes(tlvl& level) {
    ClearFastestTimes(level.times);
    const std::string fileName = TimesPath(level);
    if (files::Exists(fileName)) ReadTimesFile(fileName, level.times);
}
