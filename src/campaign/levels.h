#pragma once
// The level catalogue: every level the game knows of, campaign levels 0..79 first,
// user levels after them.
#include <cstdint>
#include <string>
#include <vector>

// One entry of a record table or of a level's fastest times.
struct tscore {
    std::string Name;
    std::string Id;
    int64_t Value = 0;
};

// A fastest-times place nobody has taken yet.
inline constexpr const char* NoResultName = "NORESULT";
inline constexpr int64_t NoResultTime = -1;
inline constexpr int FastestTimePlaces = 5;

struct tlvl {
    std::string path;      // folder + file name, e.g. "lvl\07.dat"
    std::string name;      // Na
    std::string id;        // Id
    std::string timesfile; // id + ".tim" (TimesFileName), see TimesPath for its folder
    // Places 1..5 are times[0..4], fastest first; times[5] takes the entry pushed out.
    tscore times[FastestTimePlaces + 1];
    bool timesChanged = false; // since they were read or last written
    int32_t state = 0;

    // The folder part of path ("lvl\" or "customlvl\"); user levels keep their times file there
    // too.
    std::string Folder() const { return path.substr(0, path.find_last_of('\\') + 1); }
};

inline constexpr int CampaignLevelCount = 80;

extern std::vector<tlvl> levels;

// Folders of the two kinds of level file.
inline constexpr const char* CampaignFolder = "lvl\\";
inline constexpr const char* UserFolder = "customlvl\\";

// False once a campaign file is missing, unreadable or carries another identifier than
// its campaignids entry; start-up then shows levelfilesproblem and goes no further.
extern bool levelfilesok;
extern std::string levelfilesproblem;
inline constexpr const char* CorruptedLevelsMessage = "Level files are corrupted.";

// Appends the campaign levels lvl\01.dat .. lvl\80.dat, then every customlvl\*.dat.
void BuildLevelCatalogue();
// Appends one entry: name and identifier from the file's first line, its fastest times.
void AddCatalogueEntry(const std::string& path);

// Empties the catalogue and forgets any fault found (tools and tests build it again).
void ResetLevelCatalogue();

// Name and identifier from a level file's plain first line; false when it cannot be read.
bool ReadLevelHeader(const std::string& path, std::string& name, std::string& id);

// "lvl\07.dat" for campaign level 7.
std::string CampaignLevelPath(int number);
