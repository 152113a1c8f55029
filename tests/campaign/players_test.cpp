#include "campaign/players.h"

#include "campaign/savefiles.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "support/awkward_texts.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {

class Players : public ::testing::Test {
  protected:
    void SetUp() override {
        HighestLevelPassed = 0;
        CurrentPlayer = 1;
        CreateDefaultPlayers();
    }
    void TearDown() override { SetUp(); }
    ScratchFolder folder;
};

// Every slot different, with odd bytes and duplicate level entries.
void FillSlots() {
    HighestLevelPassed = 39;
    for (int n = 1; n <= PlayerSlotCount; ++n) {
        tplayer& p = PlayerProfiles[n];
        p.Name = "P" + std::to_string(n);
        p.Id = "2026120700000000" + std::to_string(n % 10);
        p.Score = n * 1000;
        p.Lives = n % 4;
        p.Energy = 10 * n;
        p.Gun = n % 4;
        p.Money = n * 77;
        p.Jump = 100 - n;
        for (int gun = 1; gun <= GunCount; ++gun) {
            p.Own[gun] = (n + gun) % 2 == 0;
            p.AmmoCurrent[gun] = n + gun;
            p.AmmoAll[gun] = n * gun * 10;
        }
        p.Levels.clear();
        for (int l = 0; l < n % 3; ++l) p.Levels.push_back("lvl" + std::to_string(l));
    }
    PlayerProfiles[2].Levels = {"A", "B", "A"};
    // Byte 0xF5 shifted by 21 wraps round to LF: over 50 positions one of them is.
    PlayerProfiles[3].Name = std::string(50, '\xf5');
}

} // namespace

TEST_F(Players, DefaultsAreTenEmptySlots) {
    EXPECT_EQ(CurrentPlayer, 1);
    EXPECT_EQ(HighestLevelPassed, 0);
    int n = 0;
    for (const tplayer& p : PlayerProfiles) {
        ++n;
        EXPECT_EQ(p.Name, "PLAYER " + std::to_string(n));
        EXPECT_EQ(p.Id.size(), 17u);
        EXPECT_EQ(p.Lives, 0);
        EXPECT_EQ(p.Energy, 100);
        EXPECT_EQ(p.Jump, 100);
        EXPECT_EQ(p.Money, 0);
        EXPECT_EQ(p.Own, (std::array<bool, 4>{true, false, false, false}));
        EXPECT_EQ(p.AmmoCurrent, (std::array<int32_t, 4>{}));
        EXPECT_TRUE(p.Levels.empty());
    }
    EXPECT_EQ(n, 10);
    EXPECT_THROW(PlayerProfiles[0], std::out_of_range);
    EXPECT_THROW(PlayerProfiles[11], std::out_of_range);
}

TEST_F(Players, ResetPlayerAndTheHiddenNames) {
    tplayer& p = PlayerProfiles[4];
    p.Name = "RAVENOX";
    p.Score = 5;
    p.Own[2] = true;
    p.AmmoAll[2] = 50;
    p.Levels = {"x"};
    ResetPlayer(4);
    EXPECT_EQ(p.Money, 10000000);
    EXPECT_EQ(p.Lives, 7);
    EXPECT_EQ(p.Score, 0);
    EXPECT_FALSE(p.Own[2]);
    EXPECT_EQ(p.AmmoAll[2], 0);
    EXPECT_TRUE(p.Levels.empty());
    EXPECT_EQ(p.Name, "RAVENOX");
    EXPECT_EQ(HighestLevelPassed, 0);

    p.Name = "ravenox";
    ResetPlayer(4);
    EXPECT_EQ(p.Money, 0);

    p.Name = "GATESOPEN";
    ResetPlayer(4);
    EXPECT_EQ(HighestLevelPassed, 100);
    EXPECT_EQ(p.Money, 0);
    EXPECT_EQ(p.Lives, 7);
}

TEST_F(Players, DocumentForm) {
    tplayer& p = PlayerProfiles[1];
    p.Name = "ANNA";
    p.Id = "20050307081530250";
    p.Score = -3;
    p.Own[2] = true;
    p.AmmoCurrent[2] = 30;
    p.AmmoAll[3] = 7;
    p.Levels = {"L1"};
    HighestLevelPassed = 9;
    std::string d = PlayersDocument();
    EXPECT_TRUE(
        d.starts_with("<Players><HighestLevelPassed>9</HighestLevelPassed><Player><Name>"
                      "ANNA</Name><Id>20050307081530250</Id><Score>-3</Score><Lives>0</Lives>"
                      "<Energy>100</Energy><Gun>0</Gun><Money>0</Money><Jump>100</Jump><Guns>"
                      "<Gun><Own>0</Own><AmmoCurrent>0</AmmoCurrent><AmmoAll>0</AmmoAll></Gun>"
                      "<Gun><Own>1</Own><AmmoCurrent>30</AmmoCurrent><AmmoAll>0</AmmoAll></Gun>"
                      "<Gun><Own>0</Own><AmmoCurrent>0</AmmoCurrent><AmmoAll>7</AmmoAll></Gun>"
                      "</Guns><Levels><Name>L1</Name></Levels></Player><Player><Name>"
                      "PLAYER 2</Name>"))
        << d;
    EXPECT_NE(
        d.find("<AmmoAll>0</AmmoAll></Gun></Guns><Levels></Levels></Player><Player><Name>PLAYER 3"),
        std::string::npos);
    EXPECT_TRUE(d.ends_with("</Levels></Player></Players>"));
    EXPECT_EQ(d.find_first_of(" \r\n", d.find("PLAYER 10") + 9), std::string::npos);
}

TEST_F(Players, SaveAndLoadGiveTheSameSlots) {
    FillSlots();
    std::string saved = PlayersDocument(); // every field of every slot
    ASSERT_TRUE(SavePlayers());
    std::string bytes = ReadBytes("players.dat");
    EXPECT_EQ(bytes, Scramble(PlayersDocument()) + "\r\n");
    EXPECT_LT(bytes.find('\n'), bytes.size() - 1); // a line end inside the scrambled line
    CreateDefaultPlayers();
    HighestLevelPassed = 0;
    LoadPlayers();
    EXPECT_EQ(HighestLevelPassed, 39);
    EXPECT_EQ(PlayersDocument(), saved);
    EXPECT_EQ(PlayerProfiles[2].Levels, (std::vector<std::string>{"A", "B", "A"}));
    EXPECT_TRUE(FileExists("players.dat"));
}

TEST_F(Players, OlderFileIsPreferredAndDeletedAfterLoading) {
    FillSlots();
    std::string old = PlayersDocument();
    WriteBytes("players.xml", HexForm(old));
    PlayerProfiles[1].Name = "NEWER";
    ASSERT_TRUE(SavePlayers());

    CreateDefaultPlayers();
    LoadPlayers();
    EXPECT_EQ(PlayersDocument(), old);
    EXPECT_FALSE(FileExists("players.xml"));
    ASSERT_TRUE(SavePlayers());
    CreateDefaultPlayers();
    LoadPlayers();
    EXPECT_EQ(PlayerProfiles[1].Name, "P1");
}

TEST_F(Players, DamagedFilesLeaveTheDefaults) {
    FillSlots();
    std::string good = PlayersDocument();
    std::string nineSlots = good;
    nineSlots.erase(nineSlots.rfind("<Player>"),
                    nineSlots.rfind("</Players>") - nineSlots.rfind("<Player>"));
    std::string badNumber = good;
    badNumber.replace(badNumber.find("<Money>77<"), 10, "<Money>7x<");
    std::string noJump = good;
    noJump.replace(noJump.rfind("<Jump>"), 5, "<Jimp");
    noJump.replace(noJump.rfind("</Jump>"), 6, "</Jimp");

    for (const std::string& damaged :
         {nineSlots, badNumber, noJump, good.substr(0, good.size() - 1)}) {
        CreateDefaultPlayers();
        HighestLevelPassed = 0;
        SaveScrambledDocument("players.dat", damaged);
        LoadPlayers();
        EXPECT_EQ(PlayerProfiles[1].Name, "PLAYER 1");
        EXPECT_EQ(HighestLevelPassed, 0);
    }

    // An older file that fails stays for the next start.
    WriteBytes("players.xml", HexForm(badNumber));
    LoadPlayers();
    EXPECT_TRUE(FileExists("players.xml"));
    EXPECT_EQ(PlayerProfiles[1].Name, "PLAYER 1");
    WriteBytes("players.xml", "zz");
    LoadPlayers();
    EXPECT_TRUE(FileExists("players.xml"));
}

TEST_F(Players, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(SavePlayers());
    std::string before = ReadBytes("players.dat");
    FillSlots();
    files::SimulateFullDiskAfter(100);
    EXPECT_FALSE(SavePlayers());
    files::SimulateFullDiskAfter(-1);
    EXPECT_EQ(ReadBytes("players.dat"), before);
    EXPECT_FALSE(SavePlayersTo("missing\\players.dat"));
}

namespace {
std::vector<std::string> KeptCopies() {
    std::vector<std::string> kept;
    for (const std::string& name : files::List("*"))
        if (name.starts_with("players.dat.unreadable-")) kept.push_back(name);
    return kept;
}
} // namespace

TEST_F(Players, AnUnreadablePlayersFileIsKeptAsideBeforeTheFirstSave) {
    FillSlots();
    std::string nineSlots = PlayersDocument();
    nineSlots.erase(nineSlots.rfind("<Player>"),
                    nineSlots.rfind("</Players>") - nineSlots.rfind("<Player>"));
    ASSERT_TRUE(files::MakeFolder("home"));
    files::SetHomeFolder("home");
    std::filesystem::current_path("home");
    WriteBytes("log.txt", "");
    SaveScrambledDocument("players.dat", nineSlots);
    const std::string damaged = ReadBytes("players.dat");
    std::filesystem::current_path(folder.path);

    CreateDefaultPlayers();
    HighestLevelPassed = 0;
    LoadPlayers();
    EXPECT_EQ(PlayerProfiles[1].Name, "PLAYER 1");
    ASSERT_TRUE(SavePlayers());
    ASSERT_TRUE(SavePlayers()); // the save after the next level: no second copy
    files::SetHomeFolder("");

    std::filesystem::current_path("home");
    std::vector<std::string> kept = KeptCopies();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0]), damaged);
    EXPECT_EQ(ReadBytes("log.txt"),
              "home/players.dat could not be read; kept as home/" + kept[0] + "\r\n");
    LoadPlayers(); // the new file reads, and a readable file is never copied
    EXPECT_EQ(PlayerProfiles[1].Name, "PLAYER 1");
    ASSERT_TRUE(SavePlayers());
    EXPECT_EQ(KeptCopies().size(), 1u);
    std::filesystem::current_path(folder.path);
}

TEST_F(Players, KeptCopiesNeverReplaceEachOther) {
    const sysclock::LocalTime time{2026, 1, 2, 3, 4, 5, 678};
    EXPECT_EQ(UnreadableName("players.dat", time), "players.dat.unreadable-20260102-030405");
    WriteBytes("players.dat.unreadable-20260102-030405", "");
    EXPECT_EQ(UnreadableName("players.dat", time), "players.dat.unreadable-20260102-030405-2");
    WriteBytes("players.dat.unreadable-20260102-030405-2", "");
    EXPECT_EQ(UnreadableName("players.dat", time), "players.dat.unreadable-20260102-030405-3");
}

TEST_F(Players, ADamagedOlderFileDoesNotHideTheCurrentOne) {
    FillSlots();
    ASSERT_TRUE(SavePlayers());
    WriteBytes("players.xml", "zz");
    CreateDefaultPlayers();
    LoadPlayers();
    EXPECT_EQ(PlayerProfiles[1].Name, "P1");
    ASSERT_TRUE(SavePlayers());
    EXPECT_TRUE(KeptCopies().empty());
}

TEST_F(Players, NumbersBeyondWhatTheGameHoldsAreBroughtToItsLimits) {
    struct trow {
        int32_t tplayer::*field;
        int32_t written, read;
    };
    const trow rows[] = {
        {&tplayer::Score, INT32_MAX, MaxStoredCount},
        {&tplayer::Score, INT32_MIN, 0},
        {&tplayer::Money, INT32_MAX, MaxStoredCount},
        {&tplayer::Money, -1, 0},
        {&tplayer::Money, 10'000'000, 10'000'000},
        {&tplayer::Lives, 100'000, MaxLives},
        {&tplayer::Lives, INT32_MIN, 0},
        {&tplayer::Lives, 7, 7},
        {&tplayer::Energy, INT32_MAX, 100},
        {&tplayer::Energy, -40, 0},
        {&tplayer::Jump, 101, 100},
        {&tplayer::Jump, INT32_MIN, 0},
        {&tplayer::Gun, INT32_MAX, 0}, // clamped to 3, which the player does not own
        {&tplayer::Gun, -1, 0},
    };
    for (const trow& row : rows) {
        SCOPED_TRACE(row.written);
        CreateDefaultPlayers();
        PlayerProfiles[4].*row.field = row.written;
        PlayerProfiles[4].AmmoCurrent = {0, INT32_MAX, INT32_MIN, 5};
        PlayerProfiles[4].AmmoAll = {0, INT32_MIN, INT32_MAX, 6};
        ASSERT_TRUE(SavePlayersTo("p.dat"));
        CreateDefaultPlayers();
        ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
        EXPECT_EQ(PlayerProfiles[4].*row.field, row.read);
        EXPECT_EQ(PlayerProfiles[4].AmmoCurrent, (std::array<int32_t, 4>{0, MaxRounds, 0, 5}));
        EXPECT_EQ(PlayerProfiles[4].AmmoAll, (std::array<int32_t, 4>{0, 0, MaxRounds, 6}));
    }
    // The gun in hand is one the player owns.
    PlayerProfiles[4].Gun = 3;
    ASSERT_TRUE(SavePlayersTo("p.dat"));
    PlayerProfiles[4].Own[3] = true;
    ASSERT_TRUE(SavePlayersTo("q.dat"));
    ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
    EXPECT_EQ(PlayerProfiles[4].Gun, 0);
    ASSERT_TRUE(LoadPlayersFrom("q.dat", false));
    EXPECT_EQ(PlayerProfiles[4].Gun, 3);
    // The shared progress as well: the choose-level screen counts areas on from it.
    const int32_t highest[][2] = {{INT32_MAX, MaxHighestLevelPassed},
                                  {MaxHighestLevelPassed + 1, MaxHighestLevelPassed},
                                  {69, 69},
                                  {-1, 0},
                                  {INT32_MIN, 0}};
    for (const auto& [written, read] : highest) {
        HighestLevelPassed = written;
        ASSERT_TRUE(SavePlayersTo("p.dat"));
        HighestLevelPassed = 5;
        ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
        EXPECT_EQ(HighestLevelPassed, read) << "written " << written;
    }
}

TEST_F(Players, AHundredThousandCompletedLevelsComeBackInOrder) {
    std::vector<std::string> names;
    for (int i = 0; i < 100'000; ++i) names.push_back("L" + std::to_string(i));
    PlayerProfiles[2].Levels = names;
    PlayerProfiles[3].Levels = {"only"};
    ASSERT_TRUE(SavePlayersTo("p.dat"));
    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
    EXPECT_TRUE(PlayerProfiles[2].Levels == names);
    EXPECT_EQ(PlayerProfiles[3].Levels, std::vector<std::string>{"only"});
    EXPECT_TRUE(PlayerProfiles[1].Levels.empty());
}

TEST_F(Players, EveryByteInNamesIdsAndLevelsComesBack) {
    const std::vector<std::string> texts = AwkwardTexts();
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        PlayerProfiles[slot].Name = texts[slot % texts.size()];
        PlayerProfiles[slot].Id = texts[(slot + 1) % texts.size()];
        PlayerProfiles[slot].Levels = texts;
    }
    const tplayerslots saved = PlayerProfiles;
    ASSERT_TRUE(SavePlayersTo("p.dat"));
    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        EXPECT_EQ(PlayerProfiles[slot].Name, saved[slot].Name) << slot;
        EXPECT_EQ(PlayerProfiles[slot].Id, saved[slot].Id) << slot;
        EXPECT_EQ(PlayerProfiles[slot].Levels, texts) << slot;
    }
}

TEST_F(Players, AFileLargerThanAnyPlayersFileIsNotRead) {
    // The largest file read: slot 1 has completed as many levels as fit.
    const std::string entry = "<Name>1</Name>";
    const size_t fitting = (LargestPlayersFile - 2 - PlayersDocument().size()) / entry.size();
    PlayerProfiles[1].Levels.assign(fitting, "1");
    ASSERT_TRUE(SavePlayersTo("p.dat"));
    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom("p.dat", false));
    EXPECT_EQ(PlayerProfiles[1].Levels.size(), fitting);

    // One more and the file is refused before it is read: the slots stay as they were.
    PlayerProfiles[1].Levels.push_back("1");
    ASSERT_TRUE(SavePlayersTo("p.dat"));
    CreateDefaultPlayers();
    PlayerProfiles[1].Name = "KEPT";
    EXPECT_FALSE(LoadPlayersFrom("p.dat", false));
    EXPECT_EQ(PlayerProfiles[1].Name, "KEPT");
    EXPECT_TRUE(PlayerProfiles[1].Levels.empty());
}
