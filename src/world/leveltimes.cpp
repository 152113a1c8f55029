#include "world/leveltimes.h"

#include "engine/xmlparser.h"
#include "platform/files.h"

#include <charconv>
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
        auto root = LoadScrambledDocument(fileName);
        if (!root) return;
        const tnode& level = root->Child("Level");
        for (int i = 0; i < FastestTimePlaces; ++i) {
            const tnode& player = level.Child("Player", i);
            times[i] = tscore{player.Child("Name").text, "", TimeOf(player.Child("Time"))};
        }
    } catch (const XmlError&) {
    }
}

void ReadFastestTimes(tlvl& level, std::string_view folder) {
    ClearFastestTimes(level.times);
    std::string fileName = std::string(folder) + level.timesfile;
    if (files::Exists(fileName)) ReadTimesFile(fileName, level.times);
}
