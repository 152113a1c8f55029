// tarnhollow-tool run: the whole game headless from a key script, from the intro to Quit.
#include "../../tools/tool/runclock.h"
#include "levelonekeys.h"
#include "support/commandline.h"
#include "support/scratch_folder.h"

#include "campaign/levels.h"
#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "render/services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

std::string GameDir() {
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR")) return game;
    auto self = fs::read_symlink("/proc/self/exe");
    return (self.parent_path() / "../../game").lexically_normal().string();
}

// The data the game runs on: the game folder, or TARNHOLLOW_DATA_DIR when this build made
// none of its own.
std::string RealData() {
    const char* data = std::getenv("TARNHOLLOW_DATA_DIR");
    return data ? data : GameDir();
}

struct trun : tcommandrun {
    std::string errors;
};

trun Tool(const std::string& arguments) {
    trun run;
    static_cast<tcommandrun&>(run) =
        RunCommandLine("'" + GameDir() + "/tarnhollow-tool' run " + arguments + " 2>err.txt");
    run.errors = ReadBytes("err.txt");
    return run;
}

struct ttrace {
    long frame;
    std::string screen;
    int item;
};

std::vector<ttrace> TraceOf(const trun& run) {
    static const std::regex line(R"re(\{"frame": (\d+), "screen": "(\w*)", "item": (-?\d+)\})re");
    std::vector<ttrace> trace;
    std::smatch m;
    for (const std::string& text : run.lines)
        if (std::regex_match(text, m, line))
            trace.push_back({std::stol(m[1]), m[2], std::stoi(m[3])});
    return trace;
}

// Every file below a folder, symbolic links not followed.
std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(entry.path().lexically_relative(folder).string());
    return names;
}

// The key script that ends the intro at once with Space.
constexpr const char* EndIntro = "0: 57\n1:\n";

class RunTool : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string data, home;

    // A game folder of links to the real data, with folders of its own where the game
    // keeps files beside the levels, so that a run never writes into the real one.
    void SetUp() override {
        const std::string real = RealData();
        if (!fs::exists(real + "/lvl/01.dat") || !fs::exists(real + "/gfx1024"))
            GTEST_SKIP() << "no game data in " << real << " (set TARNHOLLOW_DATA_DIR)";
        data = folder.path + "/data";
        home = folder.path + "/home";
        fs::create_directories(data);
        for (const auto& entry : fs::directory_iterator(real)) {
            const fs::path name = entry.path().filename();
            if (name == "lvl" || name == "customlvl") {
                fs::create_directories(data / name);
                for (const auto& file : fs::directory_iterator(entry.path()))
                    if (file.path().extension() == ".dat")
                        fs::create_symlink(file.path(), data / name / file.path().filename());
            } else if (entry.is_directory()) {
                fs::create_symlink(entry.path(), data / name);
            }
        }
    }

    std::string Folders() const { return " --data '" + data + "' --home '" + home + "'"; }

    trun Run(const std::string& script, const std::string& arguments) {
        WriteBytes("run.keys", script);
        return Tool("--keys run.keys" + Folders() + " " + arguments);
    }

    // The first frame of the main menu when the intro is ended at once.
    long MainMenuFrame() {
        static long frame = -1;
        if (frame >= 0) return frame;
        for (const ttrace& t : TraceOf(Run(EndIntro, "--frames 400 --trace")))
            if (t.screen == "main") return frame = t.frame;
        ADD_FAILURE() << "the main menu never came";
        return frame = 0;
    }
    // Script lines holding the code at each frame given, let go at the next.
    static std::string Presses(std::initializer_list<std::pair<long, int>> presses) {
        std::string script = EndIntro;
        for (auto [frame, code] : presses)
            script += std::to_string(frame) + ": " + std::to_string(code) + "\n" +
                      std::to_string(frame + 1) + ":\n";
        return script;
    }
};

TEST_F(RunTool, AFirstRunQuitsWithItsFilesInTheUserFolder) {
    const long menu = MainMenuFrame();
    const std::set<std::string> before = FilesBelow(data);
    const trun run = Run(Presses({{menu, 1}}), "");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.lines.empty());
    // Esc is the last poll: nothing is held when Quit waits for the keys to be let go.
    EXPECT_EQ(run.lines.back(),
              "{\"ended\": \"quit\", \"frames\": " + std::to_string(menu + 1) + "}");
    for (const char* name : {"players.dat", "highscore.dat", "setup.xml"})
        EXPECT_TRUE(fs::exists(home + "/" + name)) << name;
    // No level was played, so no times changed and none are written; the game folder is
    // left as it was.
    for (const std::string& name : FilesBelow(home)) EXPECT_FALSE(name.ends_with(".tim")) << name;
    EXPECT_EQ(FilesBelow(data), before);
}

TEST_F(RunTool, EscQuitsFromEveryMainMenuItem) {
    const long menu = MainMenuFrame();
    for (int item = 0; item <= 4; ++item) {
        // Down `item` times, every other frame, then Esc.
        std::string script = EndIntro;
        long frame = menu;
        for (int k = 0; k < item; ++k, frame += 2)
            script += std::to_string(frame) + ": 208\n" + std::to_string(frame + 1) + ":\n";
        script += std::to_string(frame) + ": 1\n";
        const trun run = Run(script, "--trace");
        EXPECT_EQ(run.exitCode, 0) << item;
        const std::vector<ttrace> trace = TraceOf(run);
        ASSERT_GT(trace.size(), size_t(frame)) << item;
        EXPECT_EQ(trace[frame].screen, "main");
        EXPECT_EQ(trace[frame].item, item);
        EXPECT_EQ(run.lines.back(),
                  "{\"ended\": \"quit\", \"frames\": " + std::to_string(trace.size()) + "}")
            << item;
    }
}

TEST_F(RunTool, TraceNumbersEveryPollAndNamesTheScreen) {
    const long menu = MainMenuFrame();
    const trun run = Run(EndIntro, "--trace --frames " + std::to_string(menu + 3));
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_EQ(trace.size(), size_t(menu + 3));
    for (size_t i = 0; i < trace.size(); ++i) EXPECT_EQ(trace[i].frame, long(i));
    EXPECT_EQ(trace[0].screen, "intro");
    EXPECT_EQ(trace[0].item, -1);
    EXPECT_EQ(trace[menu].screen, "main");
    EXPECT_EQ(trace[menu].item, 0);
    EXPECT_EQ(run.lines.back(),
              "{\"ended\": \"frames\", \"frames\": " + std::to_string(menu + 3) + "}");

    // Pads attached on the command line serve the menu; without one a pad code holds nothing.
    for (int pads : {0, 1}) {
        const trun padRun =
            Run(Presses({{menu, 1004}}),
                "--trace --frames " + std::to_string(menu + 2) + " --pads " + std::to_string(pads));
        const std::vector<ttrace> padTrace = TraceOf(padRun);
        ASSERT_EQ(padTrace.size(), size_t(menu + 2));
        EXPECT_EQ(padTrace.back().item, pads) << pads;
    }
}

TEST_F(RunTool, RefusesBadUsage) {
    for (const char* arguments :
         {"--frames 0", "--frames x", "--pads -1", "--texture 512", "--size 800", "--shot 5",
          "--shot x:a.png", "--shot 3:", "--seed -1", "--colour red", "--keys", "stray"}) {
        const trun run = Tool(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_TRUE(run.lines.empty()) << arguments;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << arguments;
    }
}

TEST_F(RunTool, ACorruptedCampaignLevelStopsTheStart) {
    const fs::path level = fs::path(data) / "lvl" / "05.dat";
    std::string bytes = ReadBytes(fs::read_symlink(level).string());
    const size_t id = bytes.find("<Id>");
    ASSERT_NE(id, std::string::npos);
    bytes[id + 4] = bytes[id + 4] == 'x' ? 'y' : 'x';
    fs::remove(level);
    WriteBytes(level.string(), bytes);

    const trun run = Run(EndIntro, "");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("Level files are corrupted."), std::string::npos) << run.errors;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0], "{\"ended\": \"error\", \"frames\": 0}");
    EXPECT_FALSE(fs::exists(home + "/players.dat")); // nothing is saved by a failed start
}

// The clock's arithmetic, without the game: every poll is one tick, whether a paced loop
// waited for it or a loop spun on the input, and paced loops draw every frame.
TEST(RunClockTest, EveryPollIsOneTickAndEveryPacedFrameIsDrawn) {
    struct tpolls final : input::InputSource {
        RunClock* clock = nullptr;
        tservices* services = nullptr;
        void Pump() override { clock->Poll(services->timer.get()); }
        bool TakePadsChanged() override { return false; }
        std::vector<input::PadDescription> EnumeratePads() override { return {}; }
        bool ReadPad(int, input::PadReading&) override { return false; }
        bool ReadKeyboard(input::KeyState& keys) override { return keys.fill(0), true; }
    };
    RunClock clock;
    tservices s;
    s.timer = std::make_unique<tdtimer>(&clock.counter);
    s.waitForTick = [&] { clock.WaitForTick(*s.timer); };
    auto polls = std::make_unique<tpolls>();
    polls->clock = &clock;
    polls->services = &s;
    s.input = std::make_unique<TDInput>();
    ASSERT_TRUE(s.input->Init(std::move(polls)));
    s.timer->MarkTime();

    // 700 polls: the loading picture, a screen, a wait for a key, a pause, a screen.
    int draws = 0;
    auto screen = [&](int frames) {
        for (int i = 0; i < frames; ++i) NextFrame(s, [&] { ++draws; });
    };
    for (int i = 0; i < 4; ++i) s.input->Poll();
    screen(300);
    for (int i = 0; i < 46; ++i) s.input->Poll();
    for (int i = 0; i < 50; ++i) {
        s.waitForTick();
        s.input->Poll();
    }
    s.timer->Restart(); // as the end of a pause does
    screen(300);
    EXPECT_NEAR(s.timer->SecondsSinceMark(), 20.0, 1e-4);
    EXPECT_EQ(draws, 600);
}

} // namespace

namespace {

// Polls after the level's start by which the route has ended in its results.
constexpr long LevelOneResults = 770;

// The route's script lines for a level started at poll `play`.
std::string LevelOneLines(long play) {
    std::string lines;
    std::istringstream keys(LevelOneKeys);
    for (std::string line; std::getline(keys, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        lines +=
            std::to_string(play + std::stol(line.substr(0, colon))) + line.substr(colon) + "\n";
    }
    return lines;
}

std::string CampaignId(const std::string& data, int number) {
    char file[16];
    std::snprintf(file, sizeof file, "/lvl/%02d.dat", number);
    std::string name, id;
    EXPECT_TRUE(ReadLevelHeader(data + file, name, id)) << file;
    return id;
}

long FirstFrameOf(const std::vector<ttrace>& trace, const std::string& screen, long from = 0) {
    for (const ttrace& t : trace)
        if (t.frame >= from && t.screen == screen) return t.frame;
    return -1;
}

} // namespace

TEST_F(RunTool, ALevelCompletedThroughTheWholeChainIsPaidRecordedAndSaved) {
    const long menu = MainMenuFrame();
    // Play; Delete, "ace", Enter, choose him; Continue in the shop; the first level.
    const std::initializer_list<std::pair<long, int>> toTheLevel = {
        {menu, 57},      {menu + 3, 211}, {menu + 6, 30},  {menu + 9, 46}, {menu + 12, 18},
        {menu + 15, 28}, {menu + 18, 57}, {menu + 21, 57}, {menu + 24, 57}};
    const long play =
        FirstFrameOf(TraceOf(Run(Presses(toTheLevel), "--trace --frames 600")), "play");
    ASSERT_GT(play, 0) << "the level never started";

    // The results are left with Esc, then the main menu with Esc.
    const long results = play + LevelOneResults;
    const std::string script = Presses(toTheLevel) + LevelOneLines(play) + std::to_string(results) +
                               ": 1\n" + std::to_string(results + 1) + ":\n" +
                               std::to_string(results + 6) + ": 1\n";
    const trun run = Run(script, "--trace");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    bool completed = false, menuOnHighScores = false;
    for (const ttrace& t : trace) {
        if (t.screen == "results") completed = t.item == 2;
        if (t.screen == "main" && t.frame > results) menuOnHighScores = t.item == 1;
    }
    EXPECT_TRUE(completed);
    EXPECT_TRUE(menuOnHighScores); // he entered the record tables
    EXPECT_EQ(run.lines.back().rfind("{\"ended\": \"quit\"", 0), 0u) << run.lines.back();

    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom(home + "/players.dat", false));
    const tplayer& ace = PlayerProfiles[1];
    EXPECT_EQ(ace.Name, "ace");
    EXPECT_EQ(ace.Score, 4050 + 100); // the level's points and the completion
    EXPECT_GT(ace.Money, 300);        // the reward and the treasure
    EXPECT_EQ((ace.Money - 300) % 5, 0);
    const std::string id = CampaignId(data, 1);
    EXPECT_EQ(ace.Levels, std::vector<std::string>{id});
    tscore times[FastestTimePlaces + 1];
    ReadTimesFile(home + "/lvl/" + id + ".tim", times);
    EXPECT_EQ(times[0].Name, "ace");
    EXPECT_GT(times[0].Value, 721 * 1000 / 35 - 1);
}

// Runs that start with a player already saved in slot 1, who is chosen as he stands.
class RunWithPlayer : public RunTool {
  protected:
    // Slot 1 holds "ace" with the campaign levels given (by number) completed.
    void SavePlayer(const std::vector<int>& completed, int lives, int highestPassed) {
        CreateDefaultPlayers();
        HighestLevelPassed = highestPassed;
        PlayerProfiles[1].Name = "ace";
        ResetPlayer(1);
        PlayerProfiles[1].Lives = lives;
        for (int number : completed) PlayerProfiles[1].Levels.push_back(CampaignId(data, number));
        fs::create_directories(home);
        ASSERT_TRUE(SavePlayersTo(home + "/players.dat"));
    }
    static std::vector<int> Levels(int first, int last) {
        std::vector<int> numbers;
        for (int n = first; n <= last; ++n) numbers.push_back(n);
        return numbers;
    }

    // Play, choose slot 1, Continue in the shop, then `levelKeys` in choose level (each a
    // press three polls after the one before) and Space there.
    std::string ToALevel(std::initializer_list<int> levelKeys = {}) {
        const long menu = MainMenuFrame();
        std::string script = Presses({{menu, 57}, {menu + 3, 57}, {menu + 6, 57}});
        long frame = menu + 9;
        for (int code : levelKeys) {
            script += std::to_string(frame) + ": " + std::to_string(code) + "\n" +
                      std::to_string(frame + 1) + ":\n";
            frame += 3;
        }
        return script + std::to_string(frame) + ": 57\n" + std::to_string(frame + 1) + ":\n";
    }
    // The one user level of the game folder: "One Step", the start at column 2 of map line
    // 2 with the exit one step east; `line2` is that map line (changed to change the level).
    void OnlyUserLevel(const std::string& line2) {
        for (const auto& entry : fs::directory_iterator(data + "/customlvl"))
            fs::remove(entry.path());
        std::string source = "name: One Step\nid: 20260101000000000000001\nauthor: Tester\n"
                             "music: area1.ogg\nstart: 2 2\nmain light: 255 255 255 0 -1 0 100\n"
                             "fill light: 0 0 0 0\nmap\n";
        const std::string rows[] = {"~~~~~", "~...~", line2, "~...~"};
        for (int line = 0; line < 50; ++line) {
            const std::string row = line < 4 ? rows[line] : "";
            source += row + std::string(50 - row.size(), '~') + "\n";
        }
        WriteBytes("step.lvl", source + "end\ncells\nend\n");
        ASSERT_EQ(std::system(("'" + GameDir() + "/tarnhollow-tool' level-compile step.lvl '" +
                               data + "/customlvl/step.dat' >/dev/null")
                                  .c_str()),
                  0);
    }
    // The poll at which the level chosen by the script starts.
    long PlayFrame(const std::string& script) {
        const long play = FirstFrameOf(TraceOf(Run(script, "--trace --frames 600")), "play");
        EXPECT_GT(play, 0) << "the level never started";
        return play;
    }
};

TEST_F(RunWithPlayer, TheSixthLevelOfAnAreaOpensTheNext) {
    SavePlayer(Levels(2, 6), 7, 0);
    const std::string toLevelOne = ToALevel();
    const long play = PlayFrame(toLevelOne);
    ASSERT_GT(play, 0);
    // The results, the shop and choose level go on with Space; Page Down to the next area.
    const long results = play + LevelOneResults;
    std::string script = toLevelOne + LevelOneLines(play);
    for (auto [after, code] : {std::pair{0, 57}, {3, 57}, {6, 209}, {9, 57}})
        script += std::to_string(results + after) + ": " + std::to_string(code) + "\n" +
                  std::to_string(results + after + 1) + ":\n";
    const trun run = Run(script, "--trace --frames " + std::to_string(results + 20));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_EQ(trace.size(), size_t(results + 20));
    EXPECT_EQ(trace[results].screen, "results");
    EXPECT_EQ(trace[results].item, 2);
    EXPECT_EQ(trace.back().screen, "play");
    EXPECT_EQ(trace.back().item, 10);

    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom(home + "/players.dat", false));
    EXPECT_EQ(HighestLevelPassed, 9);
    EXPECT_EQ(PlayerProfiles[1].Levels.size(), 6u);
}

TEST_F(RunWithPlayer, GameOverLeavesTheResultsForTheMainMenuEvenWithSpace) {
    SavePlayer({}, 1, 0);
    const std::string toLevelOne = ToALevel();
    const long play = PlayFrame(toLevelOne);
    ASSERT_GT(play, 0);
    const std::string script = toLevelOne + std::to_string(play + 10) + ": 1\n" +
                               std::to_string(play + 11) + ":\n" + std::to_string(play + 40) +
                               ": 57\n" + std::to_string(play + 41) + ":\n";
    const trun run = Run(script, "--trace --frames " + std::to_string(play + 60));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    const long results = FirstFrameOf(trace, "results", play);
    ASSERT_GT(results, play);
    ASSERT_LT(results, play + 40);
    EXPECT_EQ(trace[results].item, 1);
    // Space is the shop's key after any other outcome; here the results give way to the menu.
    long after = results;
    while (after < long(trace.size()) && trace[after].screen == "results") ++after;
    ASSERT_LT(after, long(trace.size())) << "the results never ended";
    EXPECT_GT(after, play + 40);
    EXPECT_EQ(trace[after].screen, "main");
}

TEST_F(RunWithPlayer, TheEightiethCampaignLevelEndsInTheEpilogueAndAUserLevelNever) {
    // The last campaign level he lacks is the first.
    SavePlayer(Levels(2, 80), 7, 79);
    const std::string toLevelOne = ToALevel();
    const long play = PlayFrame(toLevelOne);
    ASSERT_GT(play, 0);
    trun run = Run(toLevelOne + LevelOneLines(play),
                   "--trace --frames " + std::to_string(play + LevelOneResults));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_GT(FirstFrameOf(TraceOf(run), "epilogue", play), play);

    // The only user level: its exit one step east of the start. It follows the campaign, so
    // Up from the first level reaches it.
    OnlyUserLevel("~..X~");

    SavePlayer(Levels(1, 80), 7, 79);
    const std::string toUserLevel = ToALevel({200});
    const long userPlay = PlayFrame(toUserLevel);
    ASSERT_GT(userPlay, 0);
    run = Run(toUserLevel + std::to_string(userPlay) + ": 205\n" + std::to_string(userPlay + 30) +
                  ":\n",
              "--trace --frames " + std::to_string(userPlay + 200));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_GT(trace.size(), size_t(userPlay));
    EXPECT_EQ(trace[userPlay].item, 80);
    EXPECT_EQ(FirstFrameOf(trace, "epilogue"), -1);
    const long results = FirstFrameOf(trace, "results", userPlay);
    ASSERT_GT(results, userPlay) << "the user level was not completed";
    EXPECT_EQ(trace[results].item, 2);
}

TEST_F(RunWithPlayer, ALevelMadeInTheEditorIsChosenAndCompleted) {
    const std::string editor = GameDir() + "/tarnhollow-editor";
    if (!fs::exists(editor)) GTEST_SKIP() << "no level editor in " << GameDir();
    // A new level from nothing, the start one step west of the exit, as its only user level.
    for (const auto& entry : fs::directory_iterator(data + "/customlvl")) fs::remove(entry.path());
    const std::string level = data + "/customlvl/madehere.dat";
    WriteBytes("make.txt", "new 20260102000000000000001\nproperty name Made Here\n"
                           "start 46 47\ncheck\nsave " +
                               level + "\n");
    ASSERT_EQ(std::system(("'" + editor + "' --batch make.txt >/dev/null").c_str()), 0);
    ASSERT_TRUE(fs::exists(level));

    SavePlayer({}, 7, 0);
    const std::string toUserLevel = ToALevel({200});
    const long play = PlayFrame(toUserLevel);
    ASSERT_GT(play, 0);
    const trun run =
        Run(toUserLevel + std::to_string(play) + ": 205\n" + std::to_string(play + 30) + ":\n",
            "--trace --frames " + std::to_string(play + 200));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_GT(trace.size(), size_t(play));
    EXPECT_GE(trace[play].item, 80); // past the campaign: the user levels
    const long results = FirstFrameOf(trace, "results", play);
    ASSERT_GT(results, play) << "the level made in the editor was not completed";
    EXPECT_EQ(trace[results].item, 2);
}

TEST_F(RunWithPlayer, ACompletedLevelIsOnDiskBeforeTheResultsAreLeft) {
    SavePlayer({}, 7, 0);
    const std::string toLevelOne = ToALevel();
    const long play = PlayFrame(toLevelOne);
    ASSERT_GT(play, 0);
    // The run is cut off on the results screen, as a killed process would be.
    const trun run = Run(toLevelOne + LevelOneLines(play),
                         "--trace --frames " + std::to_string(play + LevelOneResults));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back().screen, "results");
    EXPECT_EQ(trace.back().item, 2);
    EXPECT_EQ(run.lines.back().rfind("{\"ended\": \"frames\"", 0), 0u) << run.lines.back();

    CreateDefaultPlayers();
    ASSERT_TRUE(LoadPlayersFrom(home + "/players.dat", false));
    const std::string id = CampaignId(data, 1);
    EXPECT_EQ(PlayerProfiles[1].Levels, std::vector<std::string>{id});
    EXPECT_GE(PlayerProfiles[1].Money, 300);
    tscore times[FastestTimePlaces + 1];
    ReadTimesFile(home + "/lvl/" + id + ".tim", times);
    EXPECT_EQ(times[0].Name, "ace");
    EXPECT_GT(times[0].Value, 0);
}

TEST_F(RunTool, TwelveLoadingPicturesComeBeforeTheMainMenu) {
    // The intro's poll, then one poll for each of the twelve loading pictures.
    EXPECT_EQ(MainMenuFrame(), 13);
    const trun run = Run(EndIntro, "--frames 14 --shot 1:first.png --shot 12:last.png");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (const char* shot : {"first.png", "last.png"}) {
        ASSERT_TRUE(fs::exists(shot)) << shot;
        EXPECT_GT(fs::file_size(shot), 0u) << shot;
    }
    EXPECT_NE(ReadBytes("first.png"), ReadBytes("last.png")); // the percentage moved on
}

// Runs of the one-step user level: the kept runs, replaying them, watching them.
class RunWithKeptRuns : public RunWithPlayer {
  protected:
    const std::string playerId = "20260101000000007";
    const std::string levelId = "20260101000000000000001";

    void SetUp() override {
        RunWithPlayer::SetUp();
        if (!IsSkipped()) OnlyUserLevel("~..X~");
    }

    // A new "ace" (always the same player Id) with the user level still to play.
    void NewAce() {
        SavePlayer({}, 7, 0);
        PlayerProfiles[1].Id = playerId;
        ASSERT_TRUE(SavePlayersTo(home + "/players.dat"));
    }
    std::string Best() const { return home + "/replays/" + playerId + "/" + levelId + ".best"; }

    // Plays the user level: `wait` polls standing, then east to the exit (or Esc with
    // retreat). The play screen's polls.
    long PlayUserLevel(long wait, bool retreat = false) {
        NewAce();
        const std::string toUserLevel = ToALevel({200});
        const long play = PlayFrame(toUserLevel);
        const long go = play + wait;
        const trun run = Run(toUserLevel + std::to_string(go) + (retreat ? ": 1\n" : ": 205\n") +
                                 std::to_string(go + 30) + ":\n",
                             "--trace --frames " + std::to_string(go + 120));
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        long polls = 0;
        for (const ttrace& t : TraceOf(run)) polls += t.screen == "play";
        return polls;
    }
    // `tarnhollow-tool replay` on a file: its final line.
    std::string Replay(const std::string& file) {
        const tcommandrun run = RunCommandLine("'" + GameDir() + "/tarnhollow-tool' replay '" +
                                               file + "' --data '" + data + "' 2>err.txt");
        EXPECT_EQ(run.exitCode, 0) << ReadBytes("err.txt");
        return run.lines.empty() ? "" : run.lines.back();
    }
};

TEST_F(RunWithKeptRuns, TheFastestCompletionIsKeptAndPlaysAgainAsTheTraceShowedIt) {
    const long slow = PlayUserLevel(20);
    ASSERT_TRUE(fs::exists(Best()));
    ASSERT_TRUE(fs::exists(home + "/replays/last"));
    const std::string kept = ReadBytes(Best());
    const std::string frames = "\"frames\": " + std::to_string(slow) + ",";
    const std::string replayed = Replay(Best());
    EXPECT_EQ(replayed.rfind("{\"LevelOutcome\": 2, " + frames, 0), 0u) << replayed;

    // Slower: the kept run stays as it was, byte for byte; faster: it takes its place.
    PlayUserLevel(40);
    EXPECT_EQ(ReadBytes(Best()), kept);
    const long fast = PlayUserLevel(0);
    ASSERT_LT(fast, slow);
    EXPECT_NE(Replay(Best()).find("\"frames\": " + std::to_string(fast) + ","), std::string::npos);

    // A replay of another version of the level is refused, naming the level.
    OnlyUserLevel("~*.X~");
    const tcommandrun refused = RunCommandLine("'" + GameDir() + "/tarnhollow-tool' replay '" +
                                               Best() + "' --data '" + data + "' 2>err.txt");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(ReadBytes("err.txt").find("\"One Step\""), std::string::npos) << ReadBytes("err.txt");
}

TEST_F(RunWithKeptRuns, ARetreatIsKeptAsTheLastRunOnly) {
    PlayUserLevel(10, true);
    EXPECT_TRUE(fs::exists(home + "/replays/last"));
    EXPECT_FALSE(fs::exists(home + "/replays/" + playerId));
    EXPECT_NE(ReadBytes(home + "/replays/last").find("result LevelOutcome=0 "), std::string::npos);
}

TEST_F(RunWithKeptRuns, WatchingABestRunAndAParRunSettlesNothing) {
    if (!fs::exists(data + "/par/01.replay")) GTEST_SKIP() << "no par runs in " << data;
    PlayUserLevel(0);
    ASSERT_TRUE(fs::exists(Best()));
    std::map<std::string, std::string> before;
    for (const auto& entry : fs::recursive_directory_iterator(home))
        if (entry.is_regular_file() && entry.path().string().find("/replays/") == std::string::npos)
            before[entry.path().string()] = ReadBytes(entry.path().string());

    // To the level choice; Up to the user level he completed, R; Esc ends it; Down to the
    // first level, H; Esc ends it too; then Esc back to the main menu and Quit, which writes
    // the players, the high scores and the times.
    const long menu = MainMenuFrame();
    const long choice = menu + 9;
    std::string script = Presses({{menu, 57},
                                  {menu + 3, 57},
                                  {menu + 6, 57},
                                  {choice, 200},
                                  {choice + 3, 19},
                                  {choice + 15, 1},
                                  {choice + 25, 208},
                                  {choice + 28, 35},
                                  {choice + 100, 1},
                                  {choice + 120, 1},
                                  {choice + 125, 1},
                                  {choice + 130, 1},
                                  {choice + 135, 1}});
    const trun run = Run(script, "--trace --frames " + std::to_string(choice + 200));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.lines.back().rfind("{\"ended\": \"quit\"", 0), 0u) << run.lines.back();
    const std::vector<ttrace> trace = TraceOf(run);
    ASSERT_GT(trace.size(), size_t(choice + 110));
    EXPECT_EQ(trace[choice + 10].screen, "watch");
    EXPECT_EQ(trace[choice + 20].screen, "level");
    EXPECT_EQ(trace[choice + 20].item, 80); // back on the same level
    EXPECT_EQ(trace[choice + 60].screen, "watch");
    EXPECT_EQ(trace[choice + 110].screen, "level");
    EXPECT_EQ(trace[choice + 110].item, 0);

    for (const auto& [file, bytes] : before) EXPECT_TRUE(ReadBytes(file) == bytes) << file;
}
