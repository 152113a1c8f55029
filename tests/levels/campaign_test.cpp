// The campaign as shipped: every level compiles, carries its identifier, can be completed,
// survives the trip through the source form, and loads in the game.
#include "levelcheck.h"
#include "levelfile.h"
#include "levelsource.h"

#include "campaign/campaignids.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "world/level/levelloader.h"
#include "world/tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

using namespace levelkit;

namespace {

std::string SourcePath(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "/campaign/%.2d.lvl", n);
    return LEVEL_SOURCES_DIR + std::string(name);
}

std::unique_ptr<LevelSource> ReadCampaignSource(int n) {
    std::string text, error;
    auto level = std::make_unique<LevelSource>();
    EXPECT_TRUE(files::ReadAll(SourcePath(n), text)) << SourcePath(n);
    EXPECT_TRUE(ReadSource(text, *level, error)) << SourcePath(n) << ": " << error;
    return level;
}

int CountValue(const LevelSource& level, CellKey key, std::initializer_list<int> values) {
    int count = 0;
    for (const auto& cell : level.cells) {
        auto v = IntegerOf(cell[key]);
        for (int wanted : values) count += v && *v == wanted;
    }
    return count;
}

} // namespace

TEST(Campaign, EveryLevelCompilesCarriesItsIdAndCanBeCompleted) {
    std::set<std::string> names;
    for (int n = 1; n <= 80; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        auto level = ReadCampaignSource(n);
        EXPECT_EQ(level->header[HId], campaignids[n - 1]);
        EXPECT_EQ(level->header[HAg], campaignids[n - 1]);
        EXPECT_EQ(level->header[HMusic], "area" + std::to_string((n - 1) / 10 + 1) + ".ogg");
        EXPECT_TRUE(names.insert(level->header[HName]).second) << "name used twice";
        EXPECT_TRUE(level->layout == StandardLayout());

        std::string bytes, error;
        ASSERT_TRUE(Compile(*level, bytes, error)) << error;
        std::string header = bytes.substr(0, bytes.find("\r\n"));
        EXPECT_EQ(TextBetween(header, "<Id>", "</"), campaignids[n - 1]);
        EXPECT_EQ(TextBetween(header, "<Na>", "</"), level->header[HName]);

        CheckResult check = CheckLevel(*level);
        EXPECT_TRUE(check.completable) << check.reason;

        // file -> source -> file, byte for byte.
        auto back = std::make_unique<LevelSource>();
        ASSERT_TRUE(Decompile(bytes, *back, error)) << error;
        EXPECT_EQ(back->header, level->header);
        EXPECT_TRUE(back->cells == level->cells);
        auto again = std::make_unique<LevelSource>();
        ASSERT_TRUE(ReadSource(WriteSource(*back), *again, error)) << error;
        std::string rebuilt;
        ASSERT_TRUE(Compile(*again, rebuilt, error)) << error;
        EXPECT_TRUE(rebuilt == bytes) << "the round trip changed the file";
    }
}

TEST(Campaign, ExampleUserLevelsCompileAndCanBeCompleted) {
    int count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(LEVEL_SOURCES_DIR) + "/user")) {
        if (entry.path().extension() != ".lvl") continue;
        SCOPED_TRACE(entry.path().string());
        ++count;
        std::string text, error, bytes;
        ASSERT_TRUE(files::ReadAll(entry.path().string(), text));
        auto level = std::make_unique<LevelSource>();
        ASSERT_TRUE(ReadSource(text, *level, error)) << error;
        ASSERT_TRUE(Compile(*level, bytes, error)) << error;
        EXPECT_TRUE(CheckLevel(*level).completable) << CheckLevel(*level).reason;
    }
    EXPECT_GE(count, 3);
}

TEST(Campaign, DifficultyAndMoneyFollowTheAreas) {
    // A completed level pays 300 and each treasure 5: a careful player affords the pistol
    // (1000) within the first area and the assault rifle (3500) on top by the end of the second.
    long money = 0;
    long afterArea[9] = {};
    for (int n = 1; n <= 80; ++n) {
        auto level = ReadCampaignSource(n);
        money += 300 + 5 * CountValue(*level, KItem, {7, 8, 9});
        afterArea[(n - 1) / 10 + 1] = money;
        int monsters = CountValue(*level, KCreature, {0, 1, 2});
        int area = (n - 1) / 10 + 1;
        SCOPED_TRACE("level " + std::to_string(n));
        // Monsters arrive area by area: zombies in the second, warriors in the fifth,
        // ghosts in the sixth.
        EXPECT_EQ(monsters == 0, area == 1);
        EXPECT_TRUE(area >= 5 || CountValue(*level, KCreature, {1}) == 0);
        EXPECT_TRUE(area >= 6 || CountValue(*level, KCreature, {2}) == 0);
    }
    EXPECT_GE(afterArea[1], 1000);
    EXPECT_GE(afterArea[2], 1000 + 3500);
}

namespace {

// The words a level's cell is described by: its map character, item and creature.
struct CellWords {
    char mapchar = 0;
    std::string item, creature;
};

CellWords WordsOf(const std::array<std::string, CellKeyCount>& cell) {
    CellWords words;
    auto tile = IntegerOf(cell[KTile]);
    if (tile && *tile >= 0 && *tile <= TileKindCount) words.mapchar = TileChars[*tile];
    for (const titemtype& type : FileItems)
        if (IntegerOf(cell[KItem]) == type.code) words.item = type.name;
    for (const CreatureWord& kind : CreatureWords)
        if (IntegerOf(cell[KCreature]) == kind.code) words.creature = kind.word;
    return words;
}

} // namespace

TEST(Campaign, EachElementFirstAppearsInTheLevelTheDesignNames) {
    // tools/levels/README.md: where each element is first shown, safely. An element no
    // level before its first shows; the first shows it. Elements of the later areas stay out
    // of the first forty levels.
    struct Element {
        const char* what;
        const char* mapchars;
        const char* item;
        const char* creature;
        int first;
    };
    const Element elements[] = {
        {"spikes", "*", "", "", 4},
        {"potion of health", "", "health", "", 4},
        {"potion of life", "", "life", "", 6},
        {"speed potion", "", "speed", "", 8},
        {"zombie", "", "", "zombie", 11},
        {"breakable wall", "%", "", "", 13},
        {"blessing", "", "blessing", "", 16},
        {"crumbling floor", ",", "", "", 21},
        {"plate door", "D", "", "", 22},
        {"invincibility", "", "invincibility", "", 29},
        {"conveyor", "<>v^=", "", "", 31},
        {"closing pit", "u", "", "", 33},
        {"raised wall", "d", "", "", 34},
        {"plate arrow trap", "a", "", "", 35},
        {"timed trap", "AR", "", "", 41},
        {"teleport", "T", "", "", 41},
        {"warrior", "", "", "warrior", 41},
        {"ghost", "", "", "ghost", 41},
    };
    bool shows[std::size(elements)][41] = {};
    for (int n = 1; n <= 40; ++n) {
        auto level = ReadCampaignSource(n);
        for (const auto& cell : level->cells) {
            CellWords words = WordsOf(cell);
            for (size_t e = 0; e < std::size(elements); ++e) {
                const Element& el = elements[e];
                shows[e][n] |= (words.mapchar && std::strchr(el.mapchars, words.mapchar)) ||
                               (*el.item && words.item == el.item) ||
                               (*el.creature && words.creature == el.creature);
            }
        }
    }
    for (size_t e = 0; e < std::size(elements); ++e) {
        const Element& el = elements[e];
        for (int n = 1; n < el.first && n <= 40; ++n) {
            EXPECT_FALSE(shows[e][n]) << el.what << " before level " << el.first << ", in " << n;
        }
        if (el.first <= 40) {
            EXPECT_TRUE(shows[e][el.first]) << el.what << " not in " << el.first;
        }
    }
}

// Each element of the later areas first appears in the level the design shows it in safely:
// met earlier, it would find a player unprepared and no safe place to learn it.
TEST(Campaign, LaterElementsFirstAppearWhereTheDesignShowsThem) {
    const struct {
        const char* element;
        CellKey key;
        int value; // the file's own number (tile E, creature M, item I)
        int level;
    } firsts[] = {
        {"timed arrow trap", KTile, 13, 41}, {"teleport", KTile, 15, 42},
        {"warrior", KCreature, 1, 43},       {"timed rock trap", KTile, 12, 44},
        {"ghost", KCreature, 2, 51},         {"invisibility potion", KItem, 3, 52},
        {"kill-all potion", KItem, 4, 59},
    };
    std::vector<std::unique_ptr<LevelSource>> levels;
    for (int n = 1; n <= 80; ++n) levels.push_back(ReadCampaignSource(n));
    for (const auto& f : firsts) {
        int first = 0;
        for (int n = 1; n <= 80 && !first; ++n)
            if (CountValue(*levels[n - 1], f.key, {f.value}) > 0) first = n;
        EXPECT_EQ(first, f.level) << f.element;
    }
}

TEST(Campaign, EveryLevelLoadsThroughTheGamesLoader) {
    auto temp = std::filesystem::temp_directory_path() / "tarnhollow-campaign-test.dat";
    for (int n = 1; n <= 80; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        auto level = ReadCampaignSource(n);
        std::string error;
        ASSERT_TRUE(WriteLevelFile(*level, temp.string(), error)) << error;
        auto root = LoadHeaderedDocument(temp.string());
        ASSERT_TRUE(root);
        ResetWorldTables();
        ClearWorld();
        std::string why;
        ASSERT_TRUE(LoadLevel(*root, &why)) << why;
        // The check and the map read the source as the game reads the file.
        tlevelform fromFile, fromSource;
        ASSERT_TRUE(ReadLevelForm(*root, fromFile, &why)) << why;
        ASSERT_TRUE(FormOf(*level, fromSource, &why)) << why;
        EXPECT_TRUE(fromFile.cells == fromSource.cells);
        int sx = *IntegerOf(level->header[HStartX]), sy = *IntegerOf(level->header[HStartY]);
        EXPECT_EQ(hero.column, static_cast<float>(sx));
        EXPECT_EQ(hero.row, static_cast<float>(49 - sy));
        EXPECT_EQ(inlevel.loaded.creatorname, "Tarnhollow");
        // The start cell stands on ground the hero can hold.
        EXPECT_EQ(tiles[sx][49 - sy].solid, 0);
        EXPECT_NE(tiles[sx][49 - sy].block, -1);
        EXPECT_EQ(static_cast<int>(creatures.size()), CountValue(*level, KCreature, {0, 1, 2, 5}));
    }
    std::filesystem::remove(temp);
}
