// Saving the campaign's files as one, and telling the player what could not be saved.
#include "campaign/saving.h"

#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "campaign/records.h"
#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Saving : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearRecordTables();
        CreateDefaultPlayers();
        CurrentPlayer = 1;
        PlayerProfiles[1].Name = "ANNA";
        levels.clear();
        ASSERT_TRUE(files::MakeFolder("lvl"));
        for (const char* id : {"L1", "L2", "L3"}) {
            tlvl level;
            level.path = std::string("lvl\\") + id + ".dat";
            level.id = id;
            level.timesfile = TimesFileName(id);
            ClearFastestTimes(level.times);
            levels.push_back(level);
        }
    }
    void TearDown() override {
        files::SimulateFullDiskAfter(-1);
        levels.clear();
        ClearRecordTables();
        CreateDefaultPlayers();
    }
    // A level completed by the current player, settled as the game settles it.
    tsavereport CompleteLevel(int index, int64_t time, int32_t money) {
        PlayerProfiles[1].Money = money;
        PlayerProfiles[1].Levels.push_back(levels[index].id);
        EnterFastestTime(index, time);
        EnterRecord(MoneyTable, money);
        return SaveSettlement(levels[index]);
    }
    ScratchFolder folder;
};

struct tsettlementcase {
    const char* what;
    std::string inTheWay; // a folder where this file should go; "" none
    long fullDiskAfter;   // -1: room enough
    const char* line;     // on the results screen
    bool playersWritten, scoresWritten, timesWritten;
};

// A settlement whose players file cannot be written writes no record either, so the saved
// files never show an entry or a time the saved player never earned; a records file that
// cannot be written costs only itself. Either way the results screen says so.
TEST_F(Saving, TheRecordsWaitForThePlayersAndAFailureIsTold) {
    const tsettlementcase cases[] = {
        {"all saved", "", -1, "", true, true, true},
        {"players in the way", "players.dat", -1, "Not saved: players.dat (Is a directory)", false,
         false, false},
        {"disk full", "", 10, "Not saved: players.dat (No space left on device)", false, false,
         false},
        {"high scores in the way", "highscore.dat", -1, "Not saved: highscore.dat (Is a directory)",
         true, false, true},
    };
    for (const tsettlementcase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* file : {"players.dat", "highscore.dat", "lvl/L1.tim"})
            std::filesystem::remove_all(file);
        SetUp();
        ASSERT_TRUE(CompleteLevel(0, 9000, 100).empty());
        const std::string players = ReadBytes("players.dat"), scores = ReadBytes("highscore.dat"),
                          times = ReadBytes("lvl/L1.tim");

        if (!c.inTheWay.empty()) {
            std::filesystem::remove(c.inTheWay);
            std::filesystem::create_directory(c.inTheWay);
        }
        files::SimulateFullDiskAfter(c.fullDiskAfter);
        const tsavereport report = CompleteLevel(0, 5000, 700);
        files::SimulateFullDiskAfter(-1);
        EXPECT_EQ(SaveReportLine(report), c.line);
        if (c.inTheWay != "players.dat") {
            EXPECT_EQ(ReadBytes("players.dat") != players, c.playersWritten);
        }
        if (c.inTheWay != "highscore.dat") {
            EXPECT_EQ(ReadBytes("highscore.dat") != scores, c.scoresWritten);
        }
        EXPECT_EQ(ReadBytes("lvl/L1.tim") != times, c.timesWritten);

        // What waited goes with the next save once nothing is in the way.
        if (!c.inTheWay.empty()) std::filesystem::remove_all(c.inTheWay);
        EXPECT_TRUE(SaveCampaign().empty());
        tlvl level = levels[0];
        ReadFastestTimes(level);
        EXPECT_EQ(level.times[0].Value, 5000);
    }
}

// Quit writes a times file only when its times changed since they were read or written.
TEST_F(Saving, QuitWritesOnlyTheTimesThatChanged) {
    EnterFastestTime(1, 4000);
    ASSERT_TRUE(SaveCampaign().empty());
    EXPECT_EQ(files::List("lvl\\*.tim"), std::vector<std::string>{"L2.tim"});

    files::Delete("lvl\\L2.tim");
    ASSERT_TRUE(SaveCampaign().empty());
    EXPECT_TRUE(files::List("lvl\\*.tim").empty()); // nothing changed since

    // A time too slow for a full list changes nothing either; one that gets in does.
    for (int place = 0; place < FastestTimePlaces; ++place) EnterFastestTime(2, 1000);
    ASSERT_TRUE(SaveCampaign().empty());
    files::Delete("lvl\\L3.tim");
    EXPECT_EQ(EnterFastestTime(2, 2000), NoTimeRank);
    ASSERT_TRUE(SaveCampaign().empty());
    EXPECT_TRUE(files::List("lvl\\*.tim").empty());
    EXPECT_EQ(EnterFastestTime(2, 500), 1);
    ASSERT_TRUE(SaveCampaign().empty());
    EXPECT_EQ(files::List("lvl\\*.tim"), std::vector<std::string>{"L3.tim"});
}

TEST_F(Saving, TheMessageAtQuitNamesEveryFileAndWhy) {
    EnterFastestTime(0, 4000);
    EnterFastestTime(2, 4000);
    std::filesystem::create_directory("lvl/L3.tim");
    files::SimulateFullDiskAfter(-1);
    const tsavereport report = SaveCampaign();
    EXPECT_EQ(SaveReportMessage(report),
              "These files could not be saved:\nlvl/L3.tim: Is a directory");
    EXPECT_TRUE(FileExists("lvl/L1.tim"));

    const tsavereport two{{"/home/p/players.dat", "Read-only file system"},
                          {"setup.xml", "Read-only file system"}};
    EXPECT_EQ(SaveReportMessage(two), "These files could not be saved:\n/home/p/players.dat: "
                                      "Read-only file system\nsetup.xml: Read-only file system");
    EXPECT_EQ(SaveReportLine(two), "Not saved: players.dat (Read-only file system) and 1 more");
    EXPECT_EQ(SaveReportLine({}), "");
    // A user level's times file has a game path: the line still names just the file.
    EXPECT_EQ(SaveReportLine({{"customlvl\\77.tim", "Is a directory"}}),
              "Not saved: 77.tim (Is a directory)");
}

} // namespace
