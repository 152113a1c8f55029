// Runs the built tarnhollow-tool as scripts do and checks its exact output.
#include "campaign/players.h"
#include "engine/xmlparser.h"
#include "support/scratch_folder.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

// ctest names the game folder; run by hand, the tool sits in build/game beside tests/.
std::string ToolPath() {
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR"))
        return std::string(game) + "/tarnhollow-tool";
    auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path() / "../../game/tarnhollow-tool").lexically_normal().string();
}

struct ToolRun {
    int exitCode;
    std::string out;
};

// `shell` runs first in the same shell (a ulimit, say).
ToolRun Tool(const std::string& arguments, const std::string& shell = "") {
    std::string command = shell + "'" + ToolPath() + "' " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ToolRun run{-1, ""};
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char* const DefaultSettingsJson =
    "{\"CameraZoom\": 50, \"AdapterSetting\": \"\", \"ModeSetting\": \"\", \"DepthSetting\": 0, "
    "\"TextureSizeSetting\": 1, \"SmoothPicture\": 1, \"MusicVolume\": 100, \"EffectVolume\": 100, "
    "\"KeyLeft\": 203, "
    "\"KeyRight\": 205, \"KeyUp\": 200, \"KeyDown\": 208, \"KeyJump\": 57, \"KeyFire\": 157, "
    "\"KeyChange\": 184, \"KeyGuide\": 36, \"PadLeft\": 1, \"PadRight\": 2, \"PadUp\": 3, "
    "\"PadDown\": 4, \"PadJump\": 19, \"PadFire\": 17, \"PadChange\": 18, \"PadGuide\": 20, "
    "\"PadSensitivity\": 70, \"corrupted\": false}\n";

class ToolCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::exists(ToolPath())) << ToolPath(); }
    ScratchFolder folder;
};

} // namespace

TEST_F(ToolCommands, DocPrintsTheTreeForEveryForm) {
    std::string document = "<a>x\x01<b>2</b>y</a>";
    const std::string tree =
        "{\"name\": \"Root\", \"text\": \"\", \"children\": [{\"name\": \"a\", \"text\": "
        "\"x\\u0001\", \"children\": [{\"name\": \"b\", \"text\": \"2\", \"children\": []}]}]}\n";
    WriteBytes("plain.xml", "<a>x\x01\r\n<b>2</b>y</a>");
    SaveScrambledDocument("scrambled.dat", document);
    WriteBytes("headered.dat", "<a>x\x01\r\n" + Scramble("<b>2</b>y</a>") + "\r\n");
    WriteBytes("hex.xml", HexForm(document));
    const std::pair<const char*, const char*> forms[] = {{"plain", "plain.xml"},
                                                         {"scrambled", "scrambled.dat"},
                                                         {"headered", "headered.dat"},
                                                         {"hex", "hex.xml"}};
    for (auto [form, file] : forms) {
        ToolRun run = Tool(std::string("doc ") + form + " " + file);
        EXPECT_EQ(run.exitCode, 0) << form;
        EXPECT_EQ(run.out, tree) << form;
    }
    EXPECT_EQ(Tool("doc plain missing.xml").exitCode, 1);
    WriteBytes("open.xml", "<a>");
    EXPECT_EQ(Tool("doc plain open.xml").exitCode, 1);
    WriteBytes("bad.xml", "3Dzz");
    EXPECT_EQ(Tool("doc hex bad.xml").exitCode, 1);
    EXPECT_EQ(Tool("doc xml plain.xml").exitCode, 2);
    EXPECT_EQ(Tool("doc plain").exitCode, 2);
}

TEST_F(ToolCommands, PackWritesAScrambledLine) {
    std::string bytes = "<Level>\xfe\xff\r\n</Level>";
    WriteBytes("in.txt", bytes);
    EXPECT_EQ(Tool("pack in.txt out.dat").exitCode, 0);
    EXPECT_EQ(ReadBytes("out.dat"), Scramble(bytes) + "\r\n");
    EXPECT_EQ(Tool("pack missing.txt out.dat").exitCode, 1);
    EXPECT_EQ(Tool("pack in.txt").exitCode, 2);
}

TEST_F(ToolCommands, SettingsReadAndWrite) {
    ToolRun defaults = Tool("settings missing.xml");
    EXPECT_EQ(defaults.exitCode, 0);
    EXPECT_EQ(defaults.out, DefaultSettingsJson);

    WriteBytes("setup.xml", "<Setup><Screen><Zoom>7</Zoom></Screen></Setup>");
    ToolRun corrupted = Tool("settings setup.xml");
    EXPECT_EQ(corrupted.exitCode, 0);
    EXPECT_NE(corrupted.out.find("\"CameraZoom\": 7, "), std::string::npos);
    EXPECT_NE(corrupted.out.find("\"corrupted\": true}"), std::string::npos);
    EXPECT_TRUE(FileExists("setup.xml")); // never deleted

    WriteBytes(
        "pad.xml",
        "<Setup><Screen><Adapter>Card \xe9</Adapter><Mode>640x480 (16 bit colors)</Mode><Depth>"
        "77</Depth></Screen><Volume><Music>10</Music><Effect>20</Effect></Volume><Keys><Left>"
        "1</Left><Right>2</Right><Up>3</Up><Down>4</Down><Jump>5</Jump><Fire>6</Fire><Change>"
        "7</Change><Guide>8</Guide></Keys><GamePad><Left>1</Left><Right>2</Right><Up>3</Up>"
        "<Down>4</Down><Jump>5</Jump><Fire>6</Fire><Change>7</Change><Guide>8</Guide>"
        "<Sensitivity>150</Sensitivity></GamePad></Setup>");
    ToolRun pad = Tool("settings pad.xml --write out.xml");
    EXPECT_EQ(pad.exitCode, 0);
    EXPECT_NE(
        pad.out.find(
            "\"AdapterSetting\": \"Card \\u00e9\", \"ModeSetting\": \"640x480 (16 bit colors)\""),
        std::string::npos);
    // Read as the game reads it: brought into range (Esc is never bound to a key).
    EXPECT_NE(pad.out.find("\"KeyLeft\": 203, \"KeyRight\": 2, "), std::string::npos);
    EXPECT_NE(pad.out.find("\"PadSensitivity\": 100, \"corrupted\": false}"), std::string::npos);
    EXPECT_EQ(ReadBytes("out.xml"), "<Setup><Screen><Zoom>50</Zoom><Adapter>Card \xe9</Adapter>"
                                    "<Mode>640x480 (16 bit colors)</Mode><Depth>77</Depth>"
                                    "<TextureSize>1</TextureSize><SmoothPicture>1</SmoothPicture>"
                                    "</Screen><Keys><Left>203</Left>"
                                    "<Right>2</Right><Up>3</Up><Down>4</Down><Jump>5</Jump>"
                                    "<Fire>6</Fire><Change>7</Change><Guide>8</Guide></Keys>"
                                    "<GamePad><Left>1</Left><Right>2</Right><Up>3</Up><Down>"
                                    "4</Down><Jump>5</Jump><Fire>6</Fire><Change>7</Change>"
                                    "<Guide>8</Guide><Sensitivity>100</Sensitivity></GamePad>"
                                    "<Volume><Music>10</Music><Effect>20</Effect></Volume>"
                                    "<GhostRuns>1</GhostRuns></Setup>");
    EXPECT_EQ(Tool("settings").exitCode, 2);
    EXPECT_EQ(Tool("settings a --save b").exitCode, 2);
}

TEST_F(ToolCommands, PlayersLoadAndSave) {
    CreateDefaultPlayers();
    HighestLevelPassed = 19;
    tplayer& anna = PlayerProfiles[2];
    anna.Name = "ANNA";
    anna.Id = "20050307081530250";
    anna.Lives = 3;
    anna.Own[3] = true;
    anna.AmmoCurrent[3] = 30;
    anna.AmmoAll[1] = 8;
    anna.Levels = {"L1", "L2", "L1"};
    anna.Money = 1234;
    WriteBytes("players.xml", HexForm(PlayersDocument()));

    ToolRun run = Tool("players players.xml --save saved.dat");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("{\"loaded\": true, \"HighestLevelPassed\": 19, \"players\": "
                                    "[{\"Name\": \"PLAYER 1\", \"Id\": \""))
        << run.out;
    EXPECT_NE(
        run.out.find("{\"Name\": \"ANNA\", \"Id\": \"20050307081530250\", \"Score\": 0, \"Lives\": "
                     "3, \"Energy\": 100, \"AmmoCurrent\": [0, 0, 30], \"AmmoAll\": [8, 0, 0], "
                     "\"Gun\": 0, \"Own\": [true, false, false, true], \"Levels\": [\"L1\", "
                     "\"L2\", \"L1\"], \"Money\": 1234, \"Jump\": 100}"),
        std::string::npos)
        << run.out;
    EXPECT_TRUE(run.out.ends_with("}]}\n"));
    EXPECT_TRUE(FileExists("players.xml"));
    EXPECT_EQ(ReadBytes("saved.dat"), Scramble(PlayersDocument()) + "\r\n");

    ToolRun missing = Tool("players none.dat");
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_TRUE(missing.out.starts_with("{\"loaded\": false, \"HighestLevelPassed\": 0, "));

    // Past `ulimit -f` the save is refused as on a full disk, not ended by SIGXFSZ.
    ToolRun limited = Tool("players none.dat --save limited.dat", "ulimit -f 1; ");
    EXPECT_EQ(limited.exitCode, 1);
    EXPECT_FALSE(FileExists("limited.dat"));
}

TEST_F(ToolCommands, ScoresAndTimes) {
    std::string top = "<Top><Score>";
    for (int i = 0; i < 10; ++i)
        top += "<Player><Name>N" + std::to_string(i) + "</Name><Id>i" + std::to_string(i) +
               "</Id><Score>" + std::to_string(1000 - i) + "</Score></Player>";
    top += "</Score><Money>";
    for (int i = 0; i < 10; ++i)
        top += "<Player><Name>M</Name><Id></Id><Money>" + std::to_string(i) + "</Money></Player>";
    top += "</Money></Top>";
    SaveScrambledDocument("highscore.dat", top);
    ToolRun scores = Tool("scores highscore.dat --save copy.dat");
    EXPECT_EQ(scores.exitCode, 0);
    EXPECT_TRUE(scores.out.starts_with(
        "{\"ScoreTable\": [{\"Name\": \"N0\", \"Id\": \"i0\", \"Value\": 1000}, "))
        << scores.out;
    EXPECT_TRUE(scores.out.ends_with("{\"Name\": \"M\", \"Id\": \"\", \"Value\": 9}]}\n"));
    EXPECT_EQ(ReadBytes("copy.dat"), ReadBytes("highscore.dat"));
    EXPECT_TRUE(Tool("scores missing.xml")
                    .out.starts_with(
                        "{\"ScoreTable\": [{\"Name\": \"unknown\", \"Id\": \"\", \"Value\": 0}, "));

    SaveScrambledDocument("level.tim", "<Level><Player><Name>ANNA</Name><Time>83456</Time>"
                                       "</Player><Player><Name>BEN</Name><Time>bad</Time>"
                                       "</Player></Level>");
    ToolRun times = Tool("times level.tim");
    EXPECT_EQ(times.exitCode, 0);
    EXPECT_EQ(times.out,
              "{\"times\": [{\"Name\": \"ANNA\", \"Time\": 83456}, {\"Name\": \"NORESULT\", "
              "\"Time\": -1}, {\"Name\": \"NORESULT\", \"Time\": -1}, {\"Name\": \"NORESULT\", "
              "\"Time\": -1}, {\"Name\": \"NORESULT\", \"Time\": -1}]}\n");
    EXPECT_EQ(Tool("times").exitCode, 2);
}

TEST_F(ToolCommands, CheckDataOpensOnlyTheMusicTheGameWouldPlay) {
    std::filesystem::create_directory("customlvl");
    std::filesystem::create_directory("snd");
    WriteBytes("secret.ogg", "not for levels");
    const std::pair<const char*, const char*> levels[] = {
        {"up.dat", "../secret.ogg"},
        {"back.dat", "..\\secret.ogg"},
        {"root.dat", "/dev/zero"},
        {"plain.dat", "tune.ogg"},
    };
    for (auto [file, music] : levels) {
        testlevel::tlevelplan plan;
        plan.music = music;
        ASSERT_TRUE(testlevel::WriteLevelFile(std::string("customlvl/") + file, plan));
    }
    ToolRun run = Tool("check-data .");
    EXPECT_EQ(run.exitCode, 1); // the folder holds no game data
    for (const char* refused : {"up.dat", "back.dat", "root.dat"}) {
        size_t at = run.out.find(std::string("customlvl\\\\") + refused);
        ASSERT_NE(at, std::string::npos) << refused;
        EXPECT_NE(run.out.substr(at, run.out.find('\n', at) - at).find("lies outside snd"),
                  std::string::npos)
            << refused;
    }
    // Neither file is opened as a sound.
    EXPECT_EQ(run.out.find("secret.ogg\", \"status"), std::string::npos);
    EXPECT_EQ(run.out.find("/dev/zero\", \"status"), std::string::npos);
    EXPECT_NE(run.out.find("{\"file\": \"snd\\\\tune.ogg\", \"status\": \"missing\"}"),
              std::string::npos);
}
