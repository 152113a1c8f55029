#include "world/leveltimes.h"

#include "engine/xmlparser.h"
#include "platform/files.h"

#include <string>

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
            times[i] = tscore{player.Child("Name").text, "", player.Child("Time").AsInteger()};
        }
    } catch (const XmlError&) {
    }
}

void ReadFastestTimes(tlvl& level, std::string_view folder) {
    ClearFastestTimes(level.times);
    std::string fileName = std::string(folder) + level.timesfile;
    if (files::Exists(fileName)) ReadTimesFile(fileName, level.times);
}
