// The creature table is the one list of kinds: the loader places each kind by its file code,
// the traps fire theirs, the tools name every creature by it and the kill-all potion takes
// exactly its monsters.
#include "arena.h"

#include "creatures/creaturetable.h"
#include "world/creaturekinds.h"
#include "world/hero/heropickups.h"
#include "world/level/levelloader.h"

using CreatureTableTest = Arena;

TEST_F(CreatureTableTest, LoaderTrapsToolsAndKillAllAllReadTheTable) {
    // A floor with every placeable kind on line 0, and a code the table lacks.
    tlevelform form;
    for (tlevelcell& cell : form.cells) cell.tile = 1;
    int column = 0;
    std::vector<const tcreaturekind*> placed;
    for (const tcreaturekind& kind : CreatureTable())
        if (kind.filecode != NoFileCode) {
            form.cells[column++].creature = kind.filecode;
            placed.push_back(&kind);
        }
    form.cells[column].creature = 3;
    FillWorld(form);
    SeeAll(true);

    ASSERT_EQ(creatures.size(), placed.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        SCOPED_TRACE(placed[i]->name);
        EXPECT_STREQ(KindOf(*creatures[i]), placed[i]->name);
        EXPECT_EQ(creatures[i]->model, placed[i]->model);
        EXPECT_EQ(creatures[i]->CellColumn(), static_cast<int32_t>(i));
        EXPECT_EQ(creatures[i]->CellRow(), 49);
        EXPECT_EQ(tiles[i][49].occupied, mark::Creature);
    }

    // A trap fires arrows and stones; the tools name them too.
    FireArrows(20, 20);
    FireStones(30, 30);
    EXPECT_STREQ(KindOf(*creatures[placed.size()]), "arrow");
    EXPECT_STREQ(KindOf(*creatures.back()), "stone");

    // The kill-all potion leaves all but the table's monsters.
    size_t others = creatures.size();
    for (const tcreaturekind* kind : placed) others -= kind->monster;
    KillAllSeenMonsters();
    EXPECT_EQ(creatures.size(), others);
    for (const auto& c : creatures) EXPECT_FALSE(c->kind->monster) << KindOf(*c);
}
