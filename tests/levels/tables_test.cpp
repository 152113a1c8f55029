// The tile, item and creature tables drive every reader and writer of levels: each row
// survives file code -> source form -> file code, the source form spells it the tables' way,
// and the kit reads a level exactly as the game does.
#include "levelfile.h"
#include "levelsource.h"
#include "sourcemaker.h"

#include "creatures/creaturetable.h"

#include <gtest/gtest.h>

using namespace levelkit;

TEST(LevelTables, EveryTileTypeAndItemSurvivesTheSourceForm) {
    auto level = testlevels::Level(testlevels::Source({"X"}, 0, 0));
    // Line 1: one cell of each tile type, then a conveyor for each further direction.
    // Line 2: one cell of each item.
    struct Expect {
        int index;
        int tile;
        std::string design;
        char mapchar;
    };
    std::vector<Expect> tiles;
    for (const ttiletype& type : TileTypes)
        tiles.push_back({MapSize + type.code, type.code, "0",
                         type.code == TConveyor ? ConveyorChars[0] : type.mapchar});
    for (int d = 1; d < 4; ++d)
        tiles.push_back(
            {MapSize + TileTypeCount + d, TConveyor, std::to_string(d), ConveyorChars[d]});
    for (const Expect& e : tiles) {
        level->cells[e.index][KTile] = std::to_string(e.tile);
        level->cells[e.index][KDesign] = e.design;
    }
    for (const titemtype& item : FileItems)
        level->cells[2 * MapSize + item.code][KItem] = std::to_string(item.code);

    const std::string text = WriteSource(*level);
    const size_t map = text.find("\nmap\n") + 5;
    const std::string line1 = text.substr(text.find('\n', map) + 1, MapSize);
    for (const Expect& e : tiles) EXPECT_EQ(line1[e.index - MapSize], e.mapchar) << e.tile;
    for (const titemtype& item : FileItems)
        EXPECT_NE(text.find(std::to_string(item.code) + " 2 item=" + item.name + "\n"),
                  std::string::npos)
            << item.name;

    LevelSource back;
    std::string error;
    ASSERT_TRUE(ReadSource(text, back, error)) << error;
    EXPECT_TRUE(back.cells == level->cells);
    tlevelform form;
    ASSERT_TRUE(FormOf(back, form, &error)) << error;
    for (const Expect& e : tiles) {
        EXPECT_EQ(form.cells[e.index].tile, e.tile);
        EXPECT_EQ(form.cells[e.index].design, std::stoi(e.design));
    }
    for (const titemtype& item : FileItems) {
        EXPECT_EQ(form.cells[2 * MapSize + item.code].item, item.code);
        EXPECT_EQ(ItemFromFile(item.code), item.item);
    }
}

// The source form's words are the table's names for the same codes; a kind the source form
// has no word for is written as its number.
TEST(LevelTables, SourceWordsForCreaturesAreTheCreatureTablesNames) {
    for (const CreatureWord& word : CreatureWords) {
        SCOPED_TRACE(word.word);
        const auto table = CreatureTable();
        auto kind = std::find_if(table.begin(), table.end(),
                                 [&](const tcreaturekind& k) { return k.filecode == word.code; });
        ASSERT_NE(kind, table.end());
        EXPECT_STREQ(kind->name, word.word);
    }
}

TEST(LevelTables, KitAndGameReadALevelAlikeAndRefuseAlike) {
    auto level = testlevels::Level(testlevels::Source(
        {".>v#X"}, 0, 0, "1 0 phase=7 period=2000000 link=3\n2 0 design=-5 item=killall\n"));
    std::string bytes, error;
    ASSERT_TRUE(Compile(*level, bytes, error)) << error;
    const std::string document =
        bytes.substr(0, bytes.find("\r\n")) +
        Unscramble(bytes.substr(bytes.find("\r\n") + 2, bytes.size() - bytes.find("\r\n") - 4));
    auto root = ParseDocument(document);
    ASSERT_TRUE(root);

    tlevelform fromFile, fromSource;
    ASSERT_TRUE(ReadLevelForm(*root, fromFile, &error)) << error;
    ASSERT_TRUE(FormOf(*level, fromSource, &error)) << error;
    EXPECT_TRUE(fromFile.cells == fromSource.cells);
    EXPECT_EQ(fromFile.cells[1].period, 1'000'000); // clamped alike
    EXPECT_EQ(fromFile.cells[2].design, -5);

    // Out of range and not a number: both refuse with the game's words.
    level->cells[3][KLink] = "2000000";
    std::string why;
    EXPECT_FALSE(FormOf(*level, fromSource, &why));
    EXPECT_EQ(why, "<C> holds 2000000, outside -1000000..1000000");
    level->cells[3][KLink] = "0";
    level->header[HMainG] = "green";
    EXPECT_FALSE(FormOf(*level, fromSource, &why));
    EXPECT_EQ(why, "<G> holds \"green\", not a number");
}
