#include "campaign/campaignids.h"
#include "campaign/levels.h"
#include "engine/xmlparser.h"
#include "level/levelform.h"
#include "platform/files.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A game folder of our own with the 80 campaign files, made once for all cases.
struct Catalogue : ::testing::Test {
    static inline fs::path home, folder;

    static void SetUpTestSuite() {
        home = fs::current_path();
        folder = fs::temp_directory_path() / ("tarnhollow_catalogue_" + std::to_string(getpid()));
        fs::create_directories(folder / "lvl");
        fs::create_directories(folder / "customlvl");
        fs::current_path(folder);
        for (int n = 1; n <= CampaignLevelCount; ++n) WriteCampaignLevel(n, campaignids[n - 1]);
    }
    static void TearDownTestSuite() {
        fs::current_path(home);
        fs::remove_all(folder);
    }
    static void WriteCampaignLevel(int n, const std::string& id) {
        testlevel::tlevelplan plan;
        plan.name = "Level " + std::to_string(n);
        plan.id = id;
        plan.cellCount = 3; // the catalogue reads only the first line
        ASSERT_TRUE(testlevel::WriteLevelFile(CampaignLevelPath(n), plan));
    }
    void SetUp() override { ResetLevelCatalogue(); }
    void TearDown() override {
        ResetLevelCatalogue();
        fs::remove_all(folder / "customlvl");
        fs::create_directories(folder / "customlvl");
    }
};

TEST_F(Catalogue, ListsCampaignLevelsThenUserLevelsWithTheirTimes) {
    testlevel::tlevelplan user;
    user.name = "Mine";
    user.id = campaignids[0]; // a user level may repeat a campaign identifier
    ASSERT_TRUE(testlevel::WriteLevelFile("customlvl\\mine.dat", user));
    fs::create_directories(folder / "customlvl" / "folder.dat"); // not a plain file
    SaveScrambledDocument(std::string("lvl\\") + campaignids[6] + ".tim",
                          "<Level><Player><Name>ANNA</Name><Time>61000</Time></Player></Level>");

    BuildLevelCatalogue();
    EXPECT_TRUE(levelfilesok);
    ASSERT_EQ(levels.size(), 81u);
    EXPECT_EQ(levels[6].path, "lvl\\07.dat");
    EXPECT_EQ(levels[6].name, "Level 7");
    EXPECT_EQ(levels[6].id, campaignids[6]);
    EXPECT_EQ(levels[6].timesfile, std::string(campaignids[6]) + ".tim");
    EXPECT_EQ(levels[6].times[0].Name, "ANNA");
    EXPECT_EQ(levels[6].times[0].Value, 61000);
    EXPECT_EQ(levels[6].times[1].Name, NoResultName);
    EXPECT_EQ(levels[5].times[0].Value, NoResultTime);
    EXPECT_EQ(levels[80].path, "customlvl\\mine.dat");
    EXPECT_EQ(levels[80].name, "Mine");
    fs::remove(folder / "lvl" / (std::string(campaignids[6]) + ".tim"));
}

TEST_F(Catalogue, OneChangedIdentifierByteMeansCorruptedLevelFiles) {
    const fs::path file = folder / "lvl" / "42.dat";
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t at = bytes.find("<Id>") + 4 + 20;
    const std::string original = bytes;
    bytes[at] = bytes[at] == '9' ? '0' : static_cast<char>(bytes[at] + 1);
    std::ofstream(file, std::ios::binary) << bytes;

    BuildLevelCatalogue();
    EXPECT_FALSE(levelfilesok);
    EXPECT_EQ(levelfilesproblem, "Level files are corrupted.");
    EXPECT_EQ(levels.size(), 80u);

    std::ofstream(file, std::ios::binary) << original;
    ResetLevelCatalogue();
    BuildLevelCatalogue();
    EXPECT_TRUE(levelfilesok);
}

TEST_F(Catalogue, AMissingCampaignFileStopsStartUpWithItsName) {
    const fs::path file = folder / "lvl" / "80.dat";
    fs::rename(file, folder / "spare.dat");
    BuildLevelCatalogue();
    fs::rename(folder / "spare.dat", file);
    EXPECT_FALSE(levelfilesok);
    EXPECT_NE(levelfilesproblem.find("lvl\\80.dat"), std::string::npos);
    EXPECT_EQ(levels.size(), 80u); // the place stays, so later levels keep their indices
}

} // namespace

TEST_F(Catalogue, UserLevelFilesLargerThanAnyLevelAreNotRead) {
    // A valid header in front of a file too large to be a level: refused before it is read,
    // listed without a name and refused when chosen, like any unreadable level.
    testlevel::tlevelplan plan;
    plan.name = "Huge";
    plan.cellCount = 3;
    ASSERT_TRUE(testlevel::WriteLevelFile("customlvl\\huge.dat", plan));
    ASSERT_TRUE(testlevel::WriteLevelFile("customlvl\\largest.dat", plan));
    fs::resize_file(folder / "customlvl" / "huge.dat", LargestLevelFile + 1);
    fs::resize_file(folder / "customlvl" / "largest.dat", LargestLevelFile);
    // A name from a listing is a plain name: backslashes would lead out of the folder.
    plan.name = "Evil";
    std::ofstream(folder / "customlvl" / "..\\..\\evil.dat", std::ios::binary)
        << testlevel::Header(plan) << "\r\n"
        << Scramble(testlevel::Body(plan)) << "\r\n";

    BuildLevelCatalogue();
    EXPECT_TRUE(levelfilesok);
    ASSERT_EQ(levels.size(), 82u);
    EXPECT_EQ(levels[80].path, "customlvl\\huge.dat");
    EXPECT_EQ(levels[80].name, "");
    EXPECT_EQ(levels[81].path, "customlvl\\largest.dat");
    EXPECT_EQ(levels[81].name, "Huge");
}

TEST_F(Catalogue, CampaignTimesAreReadFromTheUserFolder) {
    const std::string ann = "<Level><Player><Name>ANN</Name><Time>5</Time></Player></Level>";
    const std::string old = "<Level><Player><Name>OLD</Name><Time>9</Time></Player></Level>";
    fs::create_directories(folder / "home" / "lvl");
    SaveScrambledDocument(std::string("home/lvl\\") + campaignids[2] + ".tim", ann);
    SaveScrambledDocument(std::string("lvl\\") + campaignids[3] + ".tim", old);
    files::SetHomeFolder("home");
    BuildLevelCatalogue();
    files::SetHomeFolder("");
    fs::remove_all(folder / "home");
    fs::remove(folder / "lvl" / (std::string(campaignids[3]) + ".tim"));
    EXPECT_EQ(levels[2].times[0].Name, "ANN");
    EXPECT_EQ(levels[3].times[0].Name, "NORESULT"); // the game folder's times are not the player's
}
