// tarnhollow-tool run: the whole game headless from a key script, from the intro to Quit.
#include "../../tools/tool/runclock.h"
#include "support/scratch_folder.h"

#include "campaign/players.h"
#include "render/services.h"
#include "world/level/levels.h"
#include "world/level/leveltimes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

struct trun {
    int exitCode = -1;
    std::vector<std::string> lines;
    std::string errors;
};

trun Tool(const std::string& arguments) {
    const std::string line = "'" + GameDir() + "/tarnhollow-tool' run " + arguments + " 2>err.txt";
    trun run;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string text; std::getline(lines, text);) run.lines.push_back(text);
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
    int times = 0;
    for (const std::string& name : FilesBelow(home)) times += name.ends_with(".tim");
    EXPECT_GE(times, 80); // one for each campaign level
    // In the game folder only the user levels' own times appear, beside their levels.
    std::set<std::string> added;
    for (const std::string& name : FilesBelow(data))
        if (!before.count(name)) added.insert(name);
    for (const std::string& name : added)
        EXPECT_TRUE(name.starts_with("customlvl/") && name.ends_with(".tim")) << name;
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

// The first campaign level walked to its exit (the same route the play tool's test takes),
// from the level's first poll on.
constexpr std::pair<long, int> LevelOneRoute[] = {
    {0, 205},   {6, 208},   {44, 205},  {50, 208},  {131, 203}, {156, 208}, {175, 203},
    {237, 208}, {306, 205}, {331, 208}, {362, 205}, {431, 200}, {443, 0}};

} // namespace

TEST_F(RunTool, ALevelCompletedThroughTheWholeChainIsPaidRecordedAndSaved) {
    const long menu = MainMenuFrame();
    // Play; Delete, "ace", Enter, choose him; Continue in the shop; the first level.
    const std::initializer_list<std::pair<long, int>> toTheLevel = {
        {menu, 57},      {menu + 3, 211}, {menu + 6, 30},  {menu + 9, 46}, {menu + 12, 18},
        {menu + 15, 28}, {menu + 18, 57}, {menu + 21, 57}, {menu + 24, 57}};
    long play = -1;
    for (const ttrace& t : TraceOf(Run(Presses(toTheLevel), "--trace --frames 600")))
        if (t.screen == "play") {
            play = t.frame;
            break;
        }
    ASSERT_GT(play, 0) << "the level never started";

    std::string script = Presses(toTheLevel);
    for (auto [frame, code] : LevelOneRoute)
        script +=
            std::to_string(play + frame) + ":" + (code ? " " + std::to_string(code) : "") + "\n";
    // The results are left with Esc, then the main menu with Esc.
    const long results = play + 520;
    script += std::to_string(results) + ": 1\n" + std::to_string(results + 1) + ":\n" +
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
    EXPECT_EQ(ace.Score, 300 + 100); // the level's points and the completion
    EXPECT_GT(ace.Money, 300);       // the reward and the treasure
    EXPECT_EQ((ace.Money - 300) % 5, 0);
    std::string name, id;
    ASSERT_TRUE(ReadLevelHeader(data + "/lvl/01.dat", name, id));
    EXPECT_EQ(ace.Levels, std::vector<std::string>{id});
    tscore times[FastestTimePlaces + 1];
    ReadTimesFile(home + "/lvl/" + id + ".tim", times);
    EXPECT_EQ(times[0].Name, "ace");
    EXPECT_GT(times[0].Value, 472 * 1000 / 35 - 1);
}
