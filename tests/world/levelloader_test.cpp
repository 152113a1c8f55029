#include "creatures/creature.h"
#include "creatures/monsters.h"
#include "render/assetorder.h"
#include "world/engineoutput.h"
#include "world/level/levelloader.h"
#include "world/levelfile.h"
#include "world/recorder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include <unistd.h>

using testlevel::tlevelplan;

namespace {

bool Load(const tlevelplan& plan, std::string* why = nullptr) {
    auto root = ParseDocument(testlevel::Document(plan));
    if (!root) return false;
    return LoadLevel(*root, why);
}

struct LevelLoader : ::testing::Test {
    void SetUp() override {
        ResetWorldTables();
        ClearWorld();
    }
};

TEST_F(LevelLoader, TopMapLineBecomesTheFarRowAndTheStartCellFollows) {
    tlevelplan plan;
    plan.Line(0, 0).E = 2;  // top-left: wall
    plan.Line(5, 49).E = 0; // bottom line: pit
    plan.Line(7, 10).E = 17;
    plan.SX = "7";
    plan.SY = "0";
    ASSERT_TRUE(Load(plan));
    EXPECT_EQ(tiles[0][49].block, models::FirstWall);
    EXPECT_EQ(tiles[0][49].solid, 1);
    EXPECT_EQ(tiles[5][0].block, NoBlock);
    EXPECT_EQ(tiles[5][0].floor, PitFloor);
    EXPECT_EQ(tiles[7][39].block, models::Exit);
    EXPECT_EQ(tiles[0][0].block, models::FirstFloor);
    EXPECT_EQ(hero.column, 7.0f);
    EXPECT_EQ(hero.row, 49.0f);
}

TEST_F(LevelLoader, ItemsAreRenumberedFromTheFileNumbering) {
    tlevelplan plan;
    const int fileItems[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16, -1, 17, 99};
    const int expected[] = {6, 5, 2, 7, 8, 3, 4, 1, 16, 17, 9, 15, 0, 0, 0};
    for (int i = 0; i < 15; ++i) plan.World(i, 20).I = fileItems[i];
    ASSERT_TRUE(Load(plan));
    for (int i = 0; i < 15; ++i) EXPECT_EQ(tiles[i][20].item, expected[i]) << "file item " << i;
}

TEST_F(LevelLoader, TileTypesSetBlockFloorSolidAndMechanism) {
    tlevelplan plan;
    plan.World(1, 1) = {.E = 14, .X = 2, .O = 3}; // conveyor: direction from O
    plan.World(2, 1) = {.E = 1, .C = 4, .F = 77, .X = 2, .O = 3};
    plan.World(3, 1) = {.E = 18};
    plan.World(4, 1) = {.E = 7, .O = 5};
    plan.World(5, 1) = {.E = 9};
    plan.World(6, 1) = {.E = 12, .F = 40, .X = 9};
    plan.World(7, 1) = {.E = 10};
    plan.World(8, 1) = {.E = 15, .C = 3};
    ASSERT_TRUE(Load(plan));
    EXPECT_EQ(tiles[1][1].block, models::FirstConveyor);
    EXPECT_EQ(tiles[1][1].param, 3);
    EXPECT_EQ(tiles[1][1].design, 0);
    EXPECT_EQ(tiles[2][1].param, 2);
    EXPECT_EQ(tiles[2][1].design, 3);
    EXPECT_EQ(tiles[2][1].channel, 4);
    EXPECT_EQ(tiles[2][1].period, 77);
    EXPECT_EQ(tiles[3][1].block, NoBlock);
    EXPECT_EQ(tiles[3][1].floor, 0.0f);
    EXPECT_EQ(tiles[4][1].block, BreakableWallBlock);
    EXPECT_EQ(tiles[4][1].solid, 1);
    EXPECT_EQ(tiles[4][1].design, 5);
    EXPECT_EQ(tiles[5][1].mechanism, mechanism::ClosingPit);
    EXPECT_EQ(tiles[5][1].floor, PitFloor);
    EXPECT_EQ(tiles[6][1].block, models::RockTrap);
    EXPECT_EQ(tiles[6][1].mechanism, mechanism::TimedRockTrap);
    EXPECT_EQ(tiles[6][1].param, 9);
    EXPECT_EQ(tiles[6][1].period, 40);
    EXPECT_EQ(tiles[7][1].block, models::ArrowTrap);
    EXPECT_EQ(tiles[7][1].mechanism, mechanism::SwitchArrowTrap);
    EXPECT_EQ(tiles[8][1].block, models::Teleport);
    EXPECT_EQ(tiles[8][1].channel, 3);
}

TEST_F(LevelLoader, CreaturesArePlacedInFileOrderAndMarkTheirCells) {
    tlevelplan plan;
    plan.World(1, 2).M = 5;
    plan.World(2, 40).M = 2;
    plan.World(3, 40).M = 1;
    plan.World(4, 40).M = 0;
    plan.World(5, 40).M = 3;
    plan.World(6, 40).M = 4;
    ASSERT_TRUE(Load(plan));
    ASSERT_EQ(creatures.size(), 4u);
    EXPECT_NE(dynamic_cast<tghost*>(creatures[0].get()), nullptr);
    EXPECT_EQ(creatures[0]->model, models::Ghost2);
    EXPECT_EQ(creatures[1]->model, models::WarriorDead);
    EXPECT_EQ(creatures[2]->model, models::Zombie2);
    EXPECT_NE(dynamic_cast<tblob*>(creatures[3].get()), nullptr);
    EXPECT_EQ(creatures[3]->column, 1.0f);
    EXPECT_EQ(creatures[3]->row, 2.0f);
    EXPECT_EQ(tiles[1][2].occupied, 1);
    EXPECT_EQ(tiles[2][40].occupied, 1);
    EXPECT_EQ(tiles[5][40].occupied, 0);
}

TEST_F(LevelLoader, PillarsAndTrapsTakeTheNearestFloorDesign) {
    tlevelplan plan;
    for (auto& cell : plan.cells) cell.E = 2;
    plan.World(20, 20).E = 16;
    plan.World(21, 20) = {.E = 3, .O = 4}; // spikes count as floor
    plan.World(22, 20) = {.E = 1, .O = 7};
    plan.World(40, 40).E = 13;
    ASSERT_TRUE(Load(plan));
    EXPECT_EQ(tiles[20][20].floordesign, 4);
    EXPECT_EQ(tiles[40][40].floordesign, 4); // far away, but the only floors there are

    tlevelplan bare;
    for (auto& cell : bare.cells) cell.E = 2;
    bare.World(20, 20).E = 16;
    ResetWorldTables();
    ClearWorld();
    ASSERT_TRUE(Load(bare));
    EXPECT_EQ(tiles[20][20].floordesign, 0);
}

TEST_F(LevelLoader, LightsAreNormalisedAndAZeroDirectionPointsDown) {
    tlevelplan plan;
    plan.X = "1";
    plan.Y = "-2";
    plan.Z = "2";
    ASSERT_TRUE(Load(plan));
    EXPECT_FLOAT_EQ(inlevel.loaded.mainlight.X, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(inlevel.loaded.mainlight.Y, -2.0f / 3.0f);
    EXPECT_FLOAT_EQ(inlevel.loaded.mainlight.Z, 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(inlevel.loaded.mainlight.I, 0.8f);
    EXPECT_EQ(inlevel.loaded.mainlight.R, 200);
    EXPECT_EQ(inlevel.loaded.filllight.B, 60);
    EXPECT_FLOAT_EQ(inlevel.loaded.filllight.I, 0.3f);
    EXPECT_EQ(inlevel.loaded.creatorname, "Tester");

    plan.X = plan.Y = plan.Z = "0.0";
    ASSERT_TRUE(Load(plan));
    EXPECT_EQ(inlevel.loaded.mainlight.X, 0.0f);
    EXPECT_EQ(inlevel.loaded.mainlight.Y, -1.0f);
    EXPECT_EQ(inlevel.loaded.mainlight.Z, 0.0f);
}

TEST_F(LevelLoader, MusicStartsOnlyForAPlainNameInsideTheSoundFolder) {
    trecorder recorder;
    tlevelplan plan;
    plan.music = "area3.ogg";
    ASSERT_TRUE(Load(plan));
    ASSERT_EQ(recorder.music.size(), 1u);
    EXPECT_EQ(recorder.music[0], "snd\\area3.ogg");
    for (const char* unsafe : {"", "../../dev/zero", "/dev/zero", "music\\a.ogg", "..", "a..b"}) {
        plan.music = unsafe;
        ASSERT_TRUE(Load(plan)) << unsafe;
        EXPECT_EQ(inlevel.loaded.levelmusic, unsafe);
    }
    EXPECT_EQ(recorder.music.size(), 1u);
}

TEST_F(LevelLoader, TheGameWindowsSoundObjectGetsTheMusic) {
    taudiere audio;
    tengineoutput output(audio);
    UseWorldOutput(&output);
    tlevelplan plan;
    plan.music = "../../../dev/zero";
    EXPECT_TRUE(Load(plan));
    EXPECT_EQ(audio.MusicName(), "");
    plan.music = "area3.ogg";
    EXPECT_TRUE(Load(plan));
    EXPECT_EQ(audio.MusicName(), "snd\\area3.ogg");
    UseWorldOutput(nullptr);
}

TEST_F(LevelLoader, OnlyIdsOfDigitsAsTheEditorMakesThemArePlayed) {
    // An Id is stored in the players' lists and names a file: nothing but digits.
    const std::string longest(LongestLevelId, '9');
    const std::pair<std::string, bool> ids[] = {
        {"7", true},
        {longest, true},
        {longest + "9", false},
        {"12a", false},
        {" 12", false},
        {"-12", false},
        {"1.5", false},
        {"..", false},
        {"1&amp;2", false},
        {std::string("1\0", 2), false},
    };
    for (const auto& [id, played] : ids) {
        tlevelplan plan;
        plan.id = id;
        std::string why;
        EXPECT_EQ(Load(plan, &why), played) << id;
        if (!played) {
            EXPECT_NE(why.find("identifier"), std::string::npos) << why;
        }
    }
    EXPECT_TRUE(IsLevelId("20260101000000000000001"));
    EXPECT_FALSE(IsLevelId(""));
}

TEST_F(LevelLoader, ARefusedLevelChangesNothing) {
    tlevelplan good;
    good.World(3, 3).M = 0;
    good.World(4, 4).I = 7;
    ASSERT_TRUE(Load(good));
    tiles[9][9].seen = SeenMark; // as if the hero had looked around
    const tgrid before = tiles;
    const thero heroBefore = hero;
    const size_t creaturesBefore = creatures.size();

    std::vector<tlevelplan> refused(9, tlevelplan{});
    refused[0].id = "A";
    refused[0].ag = "a";
    refused[1].creator = "Someone else";
    refused[1].cellCount = 2499;
    refused[2].R = "12a";
    refused[3].X = "1,5";
    refused[4].SX = "50";
    refused[5].SY = "-1";
    refused[6].fillG = "256";
    refused[7].I = "";
    refused[8].Z = "nan";
    for (size_t i = 0; i < refused.size(); ++i) {
        refused[i].World(10, 10).M = 1;
        std::string why;
        EXPECT_FALSE(Load(refused[i], &why)) << "case " << i;
        EXPECT_FALSE(why.empty()) << "case " << i;
    }
    // A missing element: the whole Se light.
    std::string doc = testlevel::Document(good);
    doc.erase(doc.find("<Se>"), doc.find("</Se>") + 5 - doc.find("<Se>"));
    std::string why;
    EXPECT_FALSE(LoadLevel(*ParseDocument(doc), &why));
    EXPECT_NE(why.find("Se"), std::string::npos);

    EXPECT_TRUE(tiles == before);
    EXPECT_EQ(hero.column, heroBefore.column);
    EXPECT_EQ(hero.row, heroBefore.row);
    EXPECT_EQ(creatures.size(), creaturesBefore);
    EXPECT_EQ(inlevel.loaded.creatorname, "Tester");
    EXPECT_FLOAT_EQ(inlevel.loaded.filllight.I, 0.3f);
}

TEST_F(LevelLoader, OutlandishCellNumbersAreClampedOrRefused) {
    constexpr int Max = INT32_MAX, Min = INT32_MIN;
    struct tcase {
        testlevel::tcellplan cell;
        bool loads;
        int32_t period, param, design;
    };
    // E 13 is a timed arrow trap, 14 a conveyor (its O is the direction), 1 a floor.
    const tcase cases[] = {
        {{.E = 13, .F = Max, .X = Max, .O = Max}, true, 1'000'000, 1'000'000, 1'000'000},
        {{.E = 13, .F = Min, .X = Min, .O = Min}, true, 0, -1'000'000, -1'000'000},
        {{.E = 14, .O = Max}, true, 100, 1'000'000, 0},
        {{.E = 13, .F = 140, .X = 60, .O = 12}, true, 140, 60, 12}, // as the campaign has them
        {{.E = 1, .C = Max}, false, 0, 0, 0},
        {{.E = 1, .C = Min}, false, 0, 0, 0},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(testing::Message() << "E " << c.cell.E << " C " << c.cell.C << " F "
                                        << c.cell.F << " X " << c.cell.X << " O " << c.cell.O);
        tlevelplan plan;
        plan.World(20, 20) = c.cell;
        std::string why;
        ASSERT_EQ(Load(plan, &why), c.loads) << why;
        if (!c.loads) {
            EXPECT_NE(why.find("<C>"), std::string::npos) << why;
            continue;
        }
        EXPECT_EQ(tiles[20][20].period, c.period);
        EXPECT_EQ(tiles[20][20].param, c.param);
        EXPECT_EQ(tiles[20][20].design, c.design);
    }

    tlevelplan plan;
    plan.I = std::to_string(Max);
    plan.fillI = std::to_string(Min);
    ASSERT_TRUE(Load(plan));
    EXPECT_FLOAT_EQ(inlevel.loaded.mainlight.I, 10.0f);
    EXPECT_FLOAT_EQ(inlevel.loaded.filllight.I, 0.0f);
}

TEST_F(LevelLoader, ALevelFileLoadsThroughItsHeaderAndScrambledBody) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tarnhollow_loader_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "one.dat").string();
    tlevelplan plan;
    plan.creator = std::string("\xfe\xff\xfd", 3); // shifted bytes wrap past 255
    for (int k = 0; k < 2500; ++k) plan.cells[k].O = k % 13;
    ASSERT_TRUE(testlevel::WriteLevelFile(path, plan));
    std::unique_ptr<tnode> leveldoc = LoadHeaderedDocument(path);
    ASSERT_TRUE(leveldoc);
    EXPECT_TRUE(LoadLevel(*leveldoc));
    EXPECT_EQ(inlevel.loaded.creatorname, plan.creator);
    EXPECT_EQ(tiles[12][49].design, 12);
    EXPECT_EQ(tiles[0][48].design, 50 % 13);
    fs::remove_all(dir);
}

// Only the cells named get the floor block; every other cell is a wall.
void Floors(std::initializer_list<std::array<int, 3>> cells) {
    ResetWorldTables();
    for (auto& line : tiles)
        for (ttile& t : line) t.block = models::FirstWall;
    for (auto [c, r, design] : cells) {
        tiles[c][r].block = models::FirstFloor;
        tiles[c][r].design = design;
    }
}

int32_t Find(int c, int r) {
    return FindFloorDesign(c, r, models::FirstFloor);
}

TEST(FindFloorDesign, SearchesRingsInTheirFixedOrder) {
    // Ring 1 around (10, 10): (10, 9), (10, 11), (9, 9), (11, 9), (9, 10), (11, 10), (9, 11),
    // (11, 11).
    Floors({{10, 11, 2}, {10, 9, 1}});
    EXPECT_EQ(Find(10, 10), 1);
    Floors({{9, 9, 3}, {10, 11, 2}});
    EXPECT_EQ(Find(10, 10), 2);
    Floors({{9, 10, 6}, {11, 9, 5}});
    EXPECT_EQ(Find(10, 10), 5);
    Floors({{9, 11, 7}, {11, 10, 8}});
    EXPECT_EQ(Find(10, 10), 8);
    Floors({{11, 11, 9}});
    EXPECT_EQ(Find(10, 10), 9);
    // Ring 2: the top and bottom rows without corners come before the corners and sides.
    Floors({{8, 8, 3}, {9, 12, 4}});
    EXPECT_EQ(Find(10, 10), 4);
    // A nearer ring always wins, and the cell itself is never looked at.
    Floors({{10, 10, 1}, {12, 12, 11}, {11, 10, 12}});
    EXPECT_EQ(Find(10, 10), 12);
    // Rings reaching outside the grid skip those cells; nothing found is 0.
    Floors({{49, 0, 6}});
    EXPECT_EQ(Find(0, 49), 6);
    Floors({});
    EXPECT_EQ(Find(0, 0), 0);
}

} // namespace
