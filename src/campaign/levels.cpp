#include "campaign/levels.h"

#include "campaign/campaignids.h"
#include "campaign/leveltimes.h"
#include "engine/xmlparser.h"
#include "level/levelform.h"
#include "platform/files.h"

#include <cstdio>
#include <filesystem>

std::vector<tlvl> levels;
bool levelfilesok = true;
std::string levelfilesproblem;

namespace {
void RefuseLevelFiles(const std::string& why) {
    // The first fault is the one worth reporting; later ones usually follow from it.
    if (levelfilesok) levelfilesproblem = why;
    levelfilesok = false;
}
} // namespace

void ResetLevelCatalogue() {
    levels.clear();
    levelfilesok = true;
    levelfilesproblem.clear();
}

std::string CampaignLevelPath(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%.2d.dat", number);
    return std::string(CampaignFolder) + name;
}

bool ReadLevelHeader(const std::string& path, std::string& name, std::string& id) {
    // The list needs the plain first line only; a file larger than any level is refused
    // before anything of it is read.
    std::string line;
    if (!files::ReadFirstLine(path, line, LargestLevelFile)) return false;
    name = TextBetween(line, "<Na>", "</");
    id = TextBetween(line, "<Id>", "</");
    return true;
}

void AddCatalogueEntry(const std::string& path) {
    levels.emplace_back();
    const size_t index = levels.size() - 1;
    tlvl& level = levels.back();
    level.path = path;
    const bool campaign = index < static_cast<size_t>(CampaignLevelCount);
    if (!ReadLevelHeader(path, level.name, level.id)) {
        // A user level that cannot be read stays listed and is refused when chosen.
        if (campaign) RefuseLevelFiles("Level file " + path + " is missing or cannot be read.");
    } else if (campaign && level.id != campaignids[index]) {
        RefuseLevelFiles(CorruptedLevelsMessage);
    }
    level.timesfile = TimesFileName(level.id);
    ReadFastestTimes(level);
}

void BuildLevelCatalogue() {
    for (int n = 1; n <= CampaignLevelCount; ++n) AddCatalogueEntry(CampaignLevelPath(n));
    for (const std::string& name : files::List(std::string(UserFolder) + "*.dat"))
        AddCatalogueEntry(UserFolder + name);
    // An installed game keeps the player's own levels in the user folder, after the game's.
    if (files::HomeFolder().empty()) return;
    const std::string homeLevels = files::HomePath(UserFolder);
    std::error_code error;
    if (std::filesystem::equivalent(files::NativePath(homeLevels), files::NativePath(UserFolder),
                                    error))
        return;
    for (const std::string& name : files::List(homeLevels + "*.dat"))
        AddCatalogueEntry(homeLevels + name);
}
