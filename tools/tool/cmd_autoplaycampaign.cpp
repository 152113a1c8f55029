// tarnhollow-tool autoplay-campaign [--out DIR] [--par DIR] [--levels N] [--seed S] [--rss]
//                                   [--data DIR]
// One new player plays the campaign levels in order, as a person would: the shop before
// each level (a fixed buying policy, carried out with key presses in the shop screen), the
// level played by the autopilot, and the game's own settlement afterwards. One JSON line per
// level. With --out, DIR/NN.keys and DIR/NN-players.dat (the player as he entered the level,
// in slot 1) replay level NN exactly with `play`. --rss reports the resident memory after
// each level on stderr. With --par, DIR/NN.replay is the replay the game kept of level NN:
// the par runs of the data folder. The run stops at the first level that is not completed.
#include "autopilot/pilot.h"
#include "autopilot/pilotinput.h"
#include "autopilot/shopping.h"
#include "command.h"
#include "json.h"
#include "output.h"
#include "playrun.h"

#include "campaign/levels.h"
#include "campaign/players.h"
#include "campaign/replays.h"
#include "campaign/screens.h"
#include "engine/random.h"
#include "engine/settings.h"
#include "platform/files.h"
#include "render/screenlayout.h"
#include "startup/form1.h"
#include "startup/startup.h"
#include "startup/userfolder.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/tables.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// The run the game kept last, as a par run: one that is watched, never raced, so its file
// goes without the hero's path.
bool WriteParRun(const std::string& file) {
    std::string text, why;
    if (!files::ReadAll(files::HomePath(LastRunPath), text)) return false;
    std::optional<treplay> run = ParseReplay(text, why);
    if (!run) return false;
    run->path.clear();
    return files::WriteSafely(file, ReplayText(*run));
}

constexpr const char* CampaignUsage =
    "autoplay-campaign [--out DIR] [--par DIR] [--levels N] [--seed S] [--rss] [--data DIR]";

// No level takes a careful player this long; a pilot that has not finished by then is lost.
constexpr long LevelFrameCap = 60000;
constexpr const char* PlayerName = "AUTOPILOT";

struct toptions {
    std::string out, par, data;
    int levels = CampaignLevelCount;
    uint32_t seed = 1; // the play tool's default: the keys files replay without --seed
    bool rss = false;
};

bool ParseOptions(const std::vector<std::string>& args, toptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--rss") {
            o.rss = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        const char* end = value.data() + value.size();
        if (args[i - 1] == "--out") {
            o.out = std::filesystem::absolute(value).string();
        } else if (args[i - 1] == "--par") {
            o.par = std::filesystem::absolute(value).string();
        } else if (args[i - 1] == "--data") {
            o.data = value;
        } else if (args[i - 1] == "--levels") {
            auto [p, ec] = std::from_chars(value.data(), end, o.levels);
            if (ec != std::errc() || p != end || o.levels < 1 || o.levels > CampaignLevelCount)
                return false;
        } else if (args[i - 1] == "--seed") {
            auto [p, ec] = std::from_chars(value.data(), end, o.seed);
            if (ec != std::errc() || p != end) return false;
        } else {
            return false;
        }
    }
    return true;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return -1;
}

// Polls with no game frame played in between after which the level is over and the
// settlement shows something that runs on the clock (the ending after the last level).
constexpr int StillPolls = FramesPerSecond;

// What the hands do: nothing, the shop's presses, or the pilot's keys.
struct tdriver {
    enum class Mode { Idle, Shop, Play } mode = Mode::Idle;
    std::vector<std::vector<int>> shopKeys;
    size_t shopAt = 0;
    std::unique_ptr<autopilot::tpilot> pilot;
    std::vector<InputStep> played; // the keys of the level, as a script
    long polls = 0;
    // The virtual clock only moves with the game's frames; a story screen reads it without
    // waiting for a frame, so while one plays its time passes with the polls.
    VirtualCounter* clock = nullptr;
    int64_t lastFrames = -1;
    int stillPolls = 0;

    std::vector<int> Decide() {
        if (inlevel.loopstate.frames != lastFrames) {
            lastFrames = inlevel.loopstate.frames;
            stillPolls = 0;
        } else if (++stillPolls > StillPolls && clock) {
            clock->Advance(playrun::ClockFrequency / FramesPerSecond);
        }
        std::vector<int> keys;
        if (mode == Mode::Shop && shopAt < shopKeys.size()) keys = shopKeys[shopAt++];
        if (mode == Mode::Play && pilot) {
            keys = pilot->Decide();
            if (played.empty() ? !keys.empty() : keys != played.back().codes)
                played.push_back({polls, keys});
            ++polls;
        }
        return keys;
    }
};

std::string Owned(const tplayer& p) {
    std::vector<std::string> items;
    for (bool own : p.Own) items.push_back(json::Bool(own));
    return tool::JsonArray(items);
}

void Quiet(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

int RunCampaign(const std::vector<std::string>& args) {
    toptions options;
    if (!ParseOptions(args, options)) return tool::UsageError(CampaignUsage);
    for (const std::string& folder : {options.out, options.par}) {
        if (folder.empty()) continue;
        std::error_code made;
        std::filesystem::create_directories(folder, made);
        if (made) return tool::Refuse(folder + ": the folder cannot be made");
    }
    // The settlement saves players, records and times: into a folder of the run's own.
    char scratch[] = "/tmp/tarnhollow-autoplay-XXXXXX";
    if (!mkdtemp(scratch)) return tool::Refuse("no scratch folder for the run's saves");
    const std::string home = scratch;
    struct tcleanup {
        std::string path;
        ~tcleanup() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } cleanup{home};

    const std::string data =
        options.data.empty() ? GameFolderOf(files::ProgramFolder()) : options.data;
    if (!files::SetCurrentFolder(data))
        return tool::Refuse(data + ": cannot change to the game folder");
    files::SetHomeFolder(home);
    ShowMessage = [](std::string_view text, MessageIcon) { Quiet(text); };
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    CreateDefaultPlayers();
    settings = tsettings{};
    ScreenWidth = 1024;
    ScreenHeight = 768;
    TextureFolder = TextureFolder1024;

    VirtualCounter counter{playrun::ClockFrequency};
    tdriver driver;
    driver.clock = &counter;
    TForm1 form;
    form.clock = &counter;
    form.makeDevice = [](tservices& services) {
        std::string why;
        return playrun::MakeRunDevice(services, false, ScreenWidth, ScreenHeight, why);
    };
    form.makeInput = [&driver]() -> std::unique_ptr<input::InputSource> {
        // The driver keeps each level's keys itself.
        return std::make_unique<autopilot::tpilotinput>([&driver] { return driver.Decide(); },
                                                        false);
    };
    // Every frame drawn, as the play tool draws them: the reload runs in drawn frames.
    form.services.waitForTick = [&counter] {
        counter.Advance(playrun::ClockFrequency / FramesPerSecond);
    };
    form.services.inputEnded = [&driver] { return driver.mode != tdriver::Mode::Play; };
    form.FormCreate();
    if (!form.StartWithoutMenus()) {
        form.FormDeactivate();
        return tool::Refuse("the game could not start");
    }
    BuildLevelCatalogue();

    CurrentPlayer = 1;
    PlayerProfiles[1].Name = PlayerName;
    ResetPlayer(1);
    // The same players files from every run: no stamp of the moment in them.
    for (int slot = 1; slot <= PlayerSlotCount; ++slot)
        PlayerProfiles[slot].Id = "00000000000000000";
    tplayer& player = CurrentProfile();

    int code = tool::Ok;
    for (int n = 1; n <= options.levels; ++n) {
        driver.mode = tdriver::Mode::Shop;
        driver.shopKeys = autopilot::ShopKeys(autopilot::ShoppingList(player));
        driver.shopAt = 0;
        Shop(form.services);

        char name[16];
        std::snprintf(name, sizeof name, "%02d", n);
        if (!options.out.empty() && !SavePlayersTo(options.out + "/" + name + "-players.dat")) {
            code = tool::Refuse(options.out + ": the players file cannot be written");
            break;
        }

        // The level as `play` starts it: the same random numbers, a frame counter from 0.
        Randomize(options.seed);
        inlevel.loopstate.frameCounter = 0;
        driver.pilot = std::make_unique<autopilot::tpilot>();
        driver.played.clear();
        driver.polls = 0;
        driver.mode = tdriver::Mode::Play;
        form.services.afterFrame = [] { return inlevel.loopstate.frames < LevelFrameCap; };
        SelectedLevel = n - 1;
        form.LevelOutcome = OutcomeStopped;
        int32_t item = 0;
        form.PlayTheGame(item);
        form.services.afterFrame = nullptr;
        driver.mode = tdriver::Mode::Idle;

        if (!options.out.empty() && !files::WriteSafely(options.out + "/" + name + ".keys",
                                                        autopilot::ScriptText(driver.played))) {
            code = tool::Refuse(options.out + ": the key script cannot be written");
            break;
        }
        if (!options.par.empty() && !WriteParRun(options.par + "/" + name + ".replay")) {
            code = tool::Refuse(options.par + ": the par run cannot be written");
            break;
        }
        tool::Print(tool::JsonObject()
                        .Add("level", json::Number(int32_t{n}))
                        .Add("LevelOutcome", json::Number(form.LevelOutcome))
                        .Add("frames", json::Number(inlevel.loopstate.frames))
                        .Add("attempts", json::Number(inlevel.loopstate.attempt))
                        .Add("Lives", json::Number(player.Lives))
                        .Add("Money", json::Number(player.Money))
                        .Add("Score", json::Number(player.Score))
                        .Add("MonstersKilled", json::Number(inlevel.MonstersKilled))
                        .Add("TreasuresFound", json::Number(inlevel.TreasuresFound))
                        .Add("Gun", json::Number(player.Gun))
                        .Add("Own", Owned(player))
                        .Text());
        std::fflush(stdout);
        if (options.rss) std::fprintf(stderr, "level %d VmRSS %ld kB\n", n, ResidentKilobytes());
        if (form.LevelOutcome != OutcomeCompleted) {
            code = tool::Refused;
            break;
        }
    }
    form.FormDeactivate();
    return code;
}

tool::Register registerCampaign({"autoplay-campaign", CampaignUsage, RunCampaign});

} // namespace
