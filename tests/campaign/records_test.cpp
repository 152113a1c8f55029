#include "campaign/records.h"

#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "campaign/progress.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "support/awkward_texts.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

class Records : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearRecordTables();
        CreateDefaultPlayers();
        CurrentPlayer = 1;
        levels.clear();
    }
    void TearDown() override { SetUp(); }
    ScratchFolder folder;
};

void Play(int slot, const std::string& name, const std::string& id) {
    CurrentPlayer = slot;
    PlayerProfiles[slot].Name = name;
    PlayerProfiles[slot].Id = id;
}

std::vector<int64_t> Values(const tscoretable& table) {
    std::vector<int64_t> values;
    for (const tscore& entry : table) values.push_back(entry.Value);
    return values;
}

// A full table: ten players with ids "id1".."id10" and values 1000, 900, ... 100.
void FillScoreTable() {
    for (int i = 0; i < RecordPlaces; ++i) {
        std::string place = Decimal(i + 1);
        ScoreTable[i] = {std::string("N").append(place), std::string("id").append(place),
                         1000 - 100 * i};
    }
}

tlvl Level(const std::string& path, const std::string& id) {
    tlvl level;
    level.path = path;
    level.id = id;
    level.timesfile = TimesFileName(id);
    ClearFastestTimes(level.times);
    return level;
}

} // namespace

TEST_F(Records, FirstEntriesAndTies) {
    for (const tscore& entry : ScoreTable) {
        EXPECT_EQ(entry.Name, "unknown");
        EXPECT_EQ(entry.Id, "");
        EXPECT_EQ(entry.Value, 0);
    }
    Play(1, "ANNA", "a");
    EXPECT_EQ(EnterRecord(ScoreTable, 0), NotEntered); // equal to place 10
    EXPECT_EQ(EnterRecord(ScoreTable, 50), 1);
    Play(2, "BEN", "b");
    EXPECT_EQ(EnterRecord(ScoreTable, 50), 2); // a tie leaves the older entry above
    EXPECT_EQ(ScoreTable[0].Name, "ANNA");
    EXPECT_EQ(ScoreTable[1].Id, "b");
    EXPECT_EQ(ScoreTable[2].Name, "unknown");
    EXPECT_EQ(EnterRecord(ScoreTable, 60), 1); // Ben's own entry moves, no second one
    EXPECT_EQ(ScoreTable[1].Name, "ANNA");
    EXPECT_EQ(ScoreTable[2].Name, "unknown");
    EXPECT_EQ(EnterRecord(MoneyTable, 1), 1);
    EXPECT_EQ(ScoreTable[1].Value, 50); // the other table is untouched
}

TEST_F(Records, PlayersEntryFollowsHisLatestValue) {
    FillScoreTable();
    Play(1, "N3", "id3");
    // Equal to place 10: refused, and his entry higher up stays as it was.
    EXPECT_EQ(EnterRecord(ScoreTable, 100), NotEntered);
    EXPECT_EQ(ScoreTable[2].Value, 800);

    // Place 3 with 800 offers 350: his entry goes, the new one lands lower, nobody drops.
    EXPECT_EQ(EnterRecord(ScoreTable, 350), 7);
    EXPECT_EQ(Values(ScoreTable),
              (std::vector<int64_t>{1000, 900, 700, 600, 500, 400, 350, 300, 200, 100}));
    EXPECT_EQ(ScoreTable[6].Id, "id3");
    EXPECT_EQ(ScoreTable[9].Id, "id10");

    // A newcomer to a full table pushes out place 10.
    Play(2, "NEW", "new");
    EXPECT_EQ(EnterRecord(ScoreTable, 950), 2);
    EXPECT_EQ(ScoreTable[9].Id, "id9");
    EXPECT_EQ(ScoreTable[1].Name, "NEW");

    // With two entries of his Id, the lowest placed one is the one replaced.
    ScoreTable[4].Id = "new";
    EXPECT_EQ(EnterRecord(ScoreTable, 960), 2);
    EXPECT_EQ(ScoreTable[2].Id, "new");
    int entries = 0;
    for (const tscore& entry : ScoreTable) entries += entry.Id == "new";
    EXPECT_EQ(entries, 2);
}

TEST_F(Records, FastestTimes) {
    levels.push_back(Level("lvl\\01.dat", "L1"));
    Play(1, "ANNA", "a");
    EXPECT_EQ(EnterFastestTime(0, 5000), 1);
    EXPECT_EQ(EnterFastestTime(0, 6000), 2);
    Play(2, "BEN", "b");
    EXPECT_EQ(EnterFastestTime(0, 5000), 2); // equal to place 1 goes below it
    const tscore* times = levels[0].times;
    EXPECT_EQ(times[0].Name, "ANNA");
    EXPECT_EQ(times[1].Name, "BEN");
    EXPECT_EQ(times[1].Id, "");
    EXPECT_EQ(times[2].Value, 6000);
    EXPECT_EQ(times[3].Name, "NORESULT");
    EXPECT_EQ(EnterFastestTime(0, 7000), 4);
    EXPECT_EQ(EnterFastestTime(0, 8000), 5);
    EXPECT_EQ(EnterFastestTime(0, 9000), NoTimeRank); // slower than all five
    EXPECT_EQ(times[4].Value, 8000);
    EXPECT_EQ(EnterFastestTime(0, 1), 1);
    EXPECT_EQ(times[5].Value, 8000); // the entry pushed out of place 5
    EXPECT_EQ(times[4].Value, 7000);
    EXPECT_EQ(EnterFastestTime(1, 1), NoTimeRank);
}

TEST_F(Records, LevelPassedAndFormatTime) {
    levels.push_back(Level("lvl\\01.dat", "L1"));
    levels.push_back(Level("lvl\\02.dat", "L2"));
    EXPECT_FALSE(LevelPassed(0));
    CurrentProfile().Levels = {"X", "L2"};
    EXPECT_FALSE(LevelPassed(0));
    EXPECT_TRUE(LevelPassed(1));
    EXPECT_FALSE(LevelPassed(2));
    EXPECT_FALSE(LevelPassed(-1));

    EXPECT_EQ(FormatTime(0), "00:00.000");
    EXPECT_EQ(FormatTime(59999), "00:59.999");
    EXPECT_EQ(FormatTime(60000), "01:00.000");
    EXPECT_EQ(FormatTime(83456), "01:23.456");
    EXPECT_EQ(FormatTime(6000000), "100:00.000");
}

TEST_F(Records, HighScoreFile) {
    FillScoreTable();
    MoneyTable[0] = {"RICH", "r", 10000000};
    std::string document = HighScoresDocument();
    EXPECT_TRUE(document.starts_with(
        "<Top><Score><Player><Name>N1</Name><Id>id1</Id><Score>1000</Score></Player>"));
    EXPECT_NE(
        document.find("<Score>100</Score></Player></Score><Money><Player><Name>RICH</Name><Id>"
                      "r</Id><Money>10000000</Money></Player><Player><Name>unknown</Name><Id></Id>"
                      "<Money>0</Money>"),
        std::string::npos);
    EXPECT_TRUE(document.ends_with("<Money>0</Money></Player></Money></Top>"));
    ASSERT_TRUE(SaveHighScores());
    tscoretable scores = ScoreTable;

    ClearRecordTables();
    LoadHighScores();
    EXPECT_EQ(Values(ScoreTable), Values(scores));
    EXPECT_EQ(ScoreTable[4].Id, "id5");
    EXPECT_EQ(MoneyTable[0].Name, "RICH");

    // The older file wins and goes after a complete load.
    WriteBytes("highscore.xml", HexForm(document));
    MoneyTable[0].Value = 1;
    ASSERT_TRUE(SaveHighScores());
    ClearRecordTables();
    LoadHighScores();
    EXPECT_EQ(MoneyTable[0].Value, 10000000);
    EXPECT_FALSE(FileExists("highscore.xml"));

    files::SimulateFullDiskAfter(10);
    EXPECT_FALSE(SaveHighScores());
    files::SimulateFullDiskAfter(-1);
    ClearRecordTables();
    LoadHighScores();
    EXPECT_EQ(ScoreTable[0].Name, "N1");
}

TEST_F(Records, ValuesBeyondThirtyTwoBitsComeBackWithEveryOtherEntry) {
    FillScoreTable();
    ScoreTable[0].Value = 5'000'000'000;
    MoneyTable[0] = {"RICH", "r", 2'147'483'648};
    MoneyTable[1] = {"NEXT", "n", 7};
    ASSERT_TRUE(SaveHighScores());
    const tscoretable scores = ScoreTable, money = MoneyTable;
    ClearRecordTables();
    LoadHighScores();
    EXPECT_EQ(Values(ScoreTable), Values(scores));
    EXPECT_EQ(Values(MoneyTable), Values(money));
    EXPECT_EQ(MoneyTable[1].Name, "NEXT");
    EXPECT_EQ(ScoreTable[RecordPlaces - 1].Name, scores[RecordPlaces - 1].Name);
}

TEST_F(Records, DamagedHighScoreFileKeepsWhatWasRead) {
    FillScoreTable();
    std::string document = HighScoresDocument();
    // Only four players in the score list: places 1..4 load, the rest keep what they had.
    size_t fifth = 0;
    for (int i = 0; i < 5; ++i) fifth = document.find("<Player>", fifth + 1);
    std::string shortened = document.substr(0, fifth) + "</Score></Top>";
    WriteBytes("highscore.xml", HexForm(shortened));
    ClearRecordTables();
    ScoreTable[6] = {"KEPT", "k", 5};
    LoadHighScores();
    EXPECT_EQ(ScoreTable[3].Name, "N4");
    EXPECT_EQ(ScoreTable[4].Name, "unknown");
    EXPECT_EQ(ScoreTable[6].Name, "KEPT");
    EXPECT_TRUE(FileExists("highscore.xml")); // deleted only after a complete load

    files::Delete("highscore.xml");
    WriteBytes("highscore.dat", "garbage");
    LoadHighScores();
    EXPECT_EQ(ScoreTable[0].Name, "N1");
}

TEST_F(Records, TimesFilesLandBesideTheirOwnLevelFiles) {
    ASSERT_TRUE(files::MakeFolder("lvl"));
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    levels.push_back(Level("lvl\\01.dat", "CAMPAIGN"));
    levels.push_back(Level("customlvl\\mine.dat", "USER"));
    levels.push_back(Level("customlvl\\copy.dat", "USER")); // same Id, same folder
    Play(1, "ANNA", "a");
    EnterFastestTime(0, 1000);
    EnterFastestTime(1, 2000);
    EnterFastestTime(2, 3000);
    EXPECT_EQ(FastestTimesDocument(levels[0]),
              "<Level><Player><Name>ANNA</Name><Time>1000</Time></Player><Player><Name>"
              "NORESULT</Name><Time>-1</Time></Player><Player><Name>NORESULT</Name><Time>"
              "-1</Time></Player><Player><Name>NORESULT</Name><Time>-1</Time></Player><Player>"
              "<Name>NORESULT</Name><Time>-1</Time></Player></Level>");
    ASSERT_TRUE(SaveFastestTimes());
    EXPECT_EQ(files::List("lvl\\*.tim"), std::vector<std::string>{"CAMPAIGN.tim"});
    EXPECT_EQ(files::List("customlvl\\*.tim"), std::vector<std::string>{"USER.tim"});

    // Read back as the catalogue reads them at the next start.
    tlvl user = Level("customlvl\\mine.dat", "USER");
    ReadFastestTimes(user);
    EXPECT_EQ(user.times[0].Value, 2000); // the first entry of that Id kept the file
    tlvl campaign = Level("lvl\\01.dat", "CAMPAIGN");
    ReadFastestTimes(campaign);
    EXPECT_EQ(campaign.times[0].Name, "ANNA");

    levels.push_back(Level("gone\\x.dat", "GONE"));
    EnterFastestTime(3, 4000);
    EnterFastestTime(0, 500);
    files::Delete("lvl\\CAMPAIGN.tim");
    EXPECT_FALSE(SaveFastestTimes()); // one failure, the others still written
    EXPECT_TRUE(FileExists("lvl/CAMPAIGN.tim"));
}

namespace {
// Every regular file under a folder, as paths relative to it.
std::set<std::string> FilesUnder(const std::string& folder) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            found.insert(std::filesystem::relative(entry.path(), folder).string());
    return found;
}

// The files of one name pattern "<name>.unreadable-*" in the current folder.
std::vector<std::string> KeptCopies(const std::string& name) {
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        if (entry.path().filename().string().starts_with(name + ".unreadable-"))
            kept.push_back(entry.path().filename().string());
    return kept;
}
} // namespace

TEST_F(Records, WithAUserFolderTheGameFolderIsNeverWritten) {
    ASSERT_TRUE(files::MakeFolder("game/lvl"));
    ASSERT_TRUE(files::MakeFolder("game/customlvl"));
    ASSERT_TRUE(files::MakeFolder("home"));
    std::filesystem::current_path("game");
    levels.push_back(Level("lvl\\01.dat", "CAMPAIGN"));
    levels.push_back(Level("customlvl\\mine.dat", "USER"));
    Play(1, "ANNA", "a");
    EnterFastestTime(0, 1000);
    EnterFastestTime(1, 2000);
    FillScoreTable();

    files::SetHomeFolder(folder.path + "/home");
    EXPECT_TRUE(SavePlayers());
    EXPECT_TRUE(SaveHighScores());
    EXPECT_TRUE(SaveFastestTimes()); // makes "lvl" in the user folder
    ClearRecordTables();
    CreateDefaultPlayers();
    LoadHighScores();
    LoadPlayers();
    tlvl campaign = Level("lvl\\01.dat", "CAMPAIGN");
    ReadFastestTimes(campaign);
    files::SetHomeFolder("");

    EXPECT_EQ(FilesUnder(folder.path + "/home"),
              (std::set<std::string>{"players.dat", "highscore.dat", "lvl/CAMPAIGN.tim"}));
    EXPECT_EQ(FilesUnder("."), std::set<std::string>{"customlvl/USER.tim"});
    EXPECT_EQ(ScoreTable[0].Name, "N1");
    EXPECT_EQ(PlayerProfiles[1].Name, "ANNA");
    EXPECT_EQ(campaign.times[0].Value, 1000);

    // Without one, everything lands where it always did.
    for (tlvl& level : levels) level.timesChanged = true;
    EXPECT_TRUE(SavePlayers());
    EXPECT_TRUE(SaveHighScores());
    EXPECT_TRUE(SaveFastestTimes());
    EXPECT_EQ(FilesUnder("."), (std::set<std::string>{"customlvl/USER.tim", "lvl/CAMPAIGN.tim",
                                                      "players.dat", "highscore.dat"}));
    std::filesystem::current_path(folder.path);
}

TEST_F(Records, NoLevelIdWritesOutsideItsLevelsFolder) {
    ASSERT_TRUE(files::MakeFolder("a/b/game/customlvl"));
    std::filesystem::current_path("a/b/game");
    const std::string hostile[] = {
        "../../x", "../../../x",           "..\\..\\x",          "/tmp/x", "..",
        "",        std::string("a\0b", 3), std::string(200, '.')};
    for (const std::string& id : hostile) levels.push_back(Level("customlvl\\l.dat", id));
    levels.push_back(Level("customlvl\\plain.dat", "PLAIN"));
    for (tlvl& level : levels) level.timesChanged = true;
    EXPECT_TRUE(SaveFastestTimes());
    std::filesystem::current_path(folder.path);

    std::set<std::string> written = FilesUnder(".");
    EXPECT_EQ(written.size(), std::size(hostile) + 1);
    EXPECT_TRUE(written.contains("a/b/game/customlvl/PLAIN.tim"));
    for (const std::string& file : written) EXPECT_TRUE(file.starts_with("a/b/game/customlvl/"));
}

TEST_F(Records, AnUnreadableHighScoreFileIsKeptAsideBeforeTheFirstSave) {
    WriteBytes("log.txt", "");
    WriteBytes("highscore.dat", "damaged\x01");
    ScoreTable[0] = {"KEPT", "k", 5};
    LoadHighScores();
    EXPECT_EQ(ScoreTable[0].Name, "KEPT");
    ASSERT_TRUE(SaveHighScores());
    std::vector<std::string> kept = KeptCopies("highscore.dat");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0]), "damaged\x01");
    ASSERT_TRUE(SaveHighScores()); // once per run
    EXPECT_EQ(KeptCopies("highscore.dat").size(), 1u);
    EXPECT_EQ(ReadBytes("log.txt"), "highscore.dat could not be read; kept as " + kept[0] + "\r\n");

    ClearRecordTables();
    LoadHighScores(); // the new file reads: never copied
    EXPECT_EQ(ScoreTable[0].Name, "KEPT");
    ASSERT_TRUE(SaveHighScores());
    EXPECT_EQ(KeptCopies("highscore.dat").size(), 1u);
}

TEST_F(Records, EveryByteInNamesAndIdsComesBack) {
    const std::vector<std::string> texts = AwkwardTexts();
    for (int place = 0; place < RecordPlaces; ++place) {
        ScoreTable[place] = {texts[place % texts.size()], texts[(place + 1) % texts.size()],
                             1000 - place};
        MoneyTable[place] = {texts[(place + 2) % texts.size()], texts[place % texts.size()],
                             500 - place};
    }
    const tscoretable scores = ScoreTable, money = MoneyTable;
    ASSERT_TRUE(SaveHighScoresTo("h.dat"));
    ClearRecordTables();
    ASSERT_TRUE(LoadHighScoresFrom("h.dat", false));
    for (int place = 0; place < RecordPlaces; ++place) {
        EXPECT_EQ(ScoreTable[place].Name, scores[place].Name) << place;
        EXPECT_EQ(ScoreTable[place].Id, scores[place].Id) << place;
        EXPECT_EQ(MoneyTable[place].Name, money[place].Name) << place;
        EXPECT_EQ(MoneyTable[place].Id, money[place].Id) << place;
    }

    // The fastest times keep the names of those who set them.
    ASSERT_TRUE(files::MakeFolder("lvl"));
    levels.push_back(Level("lvl\\01.dat", "1"));
    for (int place = 0; place < FastestTimePlaces; ++place)
        levels[0].times[place] = {texts[place], "", 1000 + place};
    ASSERT_TRUE(SaveLevelTimes(levels[0]));
    tlvl reread = Level("lvl\\01.dat", "1");
    ReadFastestTimes(reread);
    for (int place = 0; place < FastestTimePlaces; ++place) {
        EXPECT_EQ(reread.times[place].Name, texts[place]) << place;
        EXPECT_EQ(reread.times[place].Value, 1000 + place) << place;
    }
}
