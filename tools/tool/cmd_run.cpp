// tarnhollow-tool run [--keys SCRIPT] [--frames N] [--seed S] [--data DIR] [--home DIR]
//                     [--size WxH] [--texture 1024|2048] [--pads N] [--trace]
//                     [--display-hz N] [--trace-draw] [--shot F:OUT.png]...
// The whole game as "Start the Game" runs it, headless: the intro, the loading, the main
// menu and every screen after it until Quit, with keys from a script on a virtual clock.
// Every poll of the input is one frame, in every loop of the program. With --trace one
// JSON line per frame names the screen and its highlighted item; at the end always one
// line says how the run ended. With --display-hz the clock also has N display refreshes a
// second, at which play is drawn between its steps; --trace-draw prints one JSON line per
// picture of play drawn. The user's files are read from and written to HOME, as the
// game would for a player; without --home, to the user folder the game itself would use.
#include "command.h"
#include "json.h"
#include "output.h"
#include "playrun.h"
#include "runclock.h"

#include "campaign/players.h"
#include "campaign/screens.h"
#include "engine/dinput.h"
#include "engine/scriptedinput.h"
#include "platform/files.h"
#include "render/screenlayout.h"
#include "render/textures.h"
#include "startup/form1.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "startup/userfolder.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* RunUsage =
    "run [--keys SCRIPT] [--frames N] [--seed S] [--data DIR] [--home DIR] [--size WxH] "
    "[--texture 1024|2048] [--pads N] [--trace] [--display-hz N] [--trace-draw] "
    "[--shot F:OUT.png]...";

// Without --frames a run that never reaches Quit still ends.
constexpr long FrameCap = 1'000'000;

// What the trace reports as the item of each screen.
struct tscreenitem {
    std::string_view screen;
    int32_t (*item)(const TForm1& form);
};
constexpr tscreenitem ScreenItems[] = {
    {"main", [](const TForm1&) { return MainMenuItem; }},
    {"options", [](const TForm1&) { return OptionsRow; }},
    {"player", [](const TForm1&) { return CurrentPlayer; }},
    {"shop", [](const TForm1&) { return ShopRow; }},
    {"level", [](const TForm1&) { return SelectedLevel; }},
    {"play", [](const TForm1&) { return SelectedLevel; }},
    {"watch", [](const TForm1&) { return SelectedLevel; }},
    {"results", [](const TForm1& form) { return form.LevelOutcome; }},
};

int32_t ItemOf(const TForm1& form, std::string_view screen) {
    for (const tscreenitem& entry : ScreenItems)
        if (entry.screen == screen) return entry.item(form);
    return -1; // the intro, the epilogue, and nothing yet
}

struct tshot {
    long frame = 0;
    std::string path; // absolute: the run moves into the game folder
};

struct toptions {
    std::string keys;
    long frames = FrameCap;
    uint32_t seed = 1;
    std::string data, home;
    int width = 1024, height = 768;
    std::string textureFolder = TextureFolder1024;
    int pads = 0;
    bool trace = false;
    int displayHz = 0;
    bool traceDraw = false;
    std::vector<tshot> shots;
};

template <typename T> bool ToNumber(std::string_view text, T& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Reads the options; false with a one-line reason.
bool ParseOptions(const std::vector<std::string>& args, toptions& o, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--trace") {
            o.trace = true;
            continue;
        }
        if (flag == "--trace-draw") {
            o.traceDraw = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = flag.starts_with("--") ? flag + " needs a value" : "unknown argument " + flag;
            return false;
        }
        const std::string& value = args[++i];
        bool good = true;
        if (flag == "--keys") {
            o.keys = value;
        } else if (flag == "--frames") {
            good = ToNumber(value, o.frames) && o.frames >= 1;
        } else if (flag == "--seed") {
            good = ToNumber(value, o.seed);
        } else if (flag == "--data") {
            o.data = value;
        } else if (flag == "--home") {
            o.home = value;
        } else if (flag == "--size") {
            good = playrun::ParseSize(value, o.width, o.height);
        } else if (flag == "--texture") {
            good = value == "1024" || value == "2048";
            o.textureFolder = value == "2048" ? TextureFolder2048 : TextureFolder1024;
        } else if (flag == "--display-hz") {
            good = playrun::ParseDisplayHz(value, o.displayHz);
        } else if (flag == "--pads") {
            good = ToNumber(value, o.pads) && o.pads >= 0 && o.pads <= 8;
        } else if (flag == "--shot") {
            const size_t colon = value.find(':');
            tshot shot;
            good = colon != std::string::npos && ToNumber(value.substr(0, colon), shot.frame) &&
                   shot.frame >= 0 && colon + 1 < value.size();
            if (good) shot.path = std::filesystem::absolute(value.substr(colon + 1)).string();
            o.shots.push_back(shot);
        } else {
            error = "unknown option " + flag;
            return false;
        }
        if (!good) {
            error = "bad value for " + flag + ": " + value;
            return false;
        }
    }
    return true;
}

// Thrown out of a poll when the run has had its frames; everything on the way unwinds.
struct tframelimit {};

// Message boxes of a run without a desktop: the text alone, on stderr.
void MessageToStderr(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

// The script's keys, with the frame count, the clock, the trace and the shots at each poll.
class trunsource final : public ScriptedInput {
  public:
    trunsource(std::vector<InputStep> steps, const toptions& options, TForm1& form, RunClock& clock)
        : ScriptedInput(std::move(steps), options.pads), options_(options), form_(form),
          clock_(clock) {}

    long Frames() const { return Frame() + 1; }
    bool ShotsWritten() const { return shotsWritten_; }

    void Pump() override {
        if (Frame() + 1 >= options_.frames) throw tframelimit{};
        ScriptedInput::Pump();
        const long frame = Frame();
        clock_.Poll(form_.services.timer.get());
        if (options_.trace)
            tool::Print(tool::JsonObject()
                            .Add("frame", json::Number(int64_t{frame}))
                            .Add("screen", json::Quote(CurrentScreen))
                            .Add("item", json::Number(ItemOf(form_, CurrentScreen)))
                            .Text());
        for (const tshot& shot : options_.shots)
            if (shot.frame == frame && !playrun::SaveFrame(form_.services, shot.path)) {
                std::fprintf(stderr, "%s: the picture could not be written\n", shot.path.c_str());
                shotsWritten_ = false;
            }
    }

  private:
    const toptions& options_;
    TForm1& form_;
    RunClock& clock_;
    bool shotsWritten_ = true;
};

void PrintEnd(std::string_view how, long frames) {
    tool::Print(tool::JsonObject()
                    .Add("ended", json::Quote(how))
                    .Add("frames", json::Number(int64_t{frames}))
                    .Text());
}

// A run that could not start: the reason, then the end line.
int StartFailed(const std::string& reason) {
    MessageToStderr(reason);
    PrintEnd("error", 0);
    return tool::Refused;
}

int RunGame(const std::vector<std::string>& args) {
    toptions options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        std::fprintf(stderr, "%s; usage: tarnhollow-tool %s\n", error.c_str(), RunUsage);
        return tool::Usage;
    }

    // What the command line names is read or resolved before moving into the game folder.
    std::vector<InputStep> steps;
    if (!options.keys.empty()) {
        std::string text, why;
        if (!files::ReadAll(options.keys, text))
            return StartFailed(options.keys + ": the key script cannot be read");
        auto parsed = ParseInputScript(text, why);
        if (!parsed) return StartFailed(options.keys + ": " + why);
        steps = std::move(*parsed);
    }
    const std::string data =
        options.data.empty() ? GameFolderOf(files::ProgramFolder()) : options.data;
    std::string home;
    if (!options.home.empty()) {
        home = std::filesystem::absolute(options.home).string();
        std::error_code made;
        std::filesystem::create_directories(home, made); // a new player's folder
    }
    if (!files::SetCurrentFolder(data)) return StartFailed(data + ": " + CannotChangeFolderMessage);
    // Without --home the user's files go where the game would keep them.
    if (!home.empty())
        files::SetHomeFolder(home);
    else if (!UseUserFolder())
        return StartFailed("the user folder cannot be made");

    // No desktop: message boxes to stderr, no sound card, with shots no display either.
    ShowMessage = [](std::string_view text, MessageIcon) { MessageToStderr(text); };
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const bool gl = !options.shots.empty();
    if (gl) setenv("SDL_VIDEODRIVER", "offscreen", 1);

    // As start-up reads the user's files before the game is started.
    CreateDefaultPlayers();
    LoadPlayers();
    ApplySettingsFile();
    ScreenWidth = options.width;
    ScreenHeight = options.height;
    TextureFolder = options.textureFolder;

    RunClock clock;
    TForm1 form;
    trunsource* source = nullptr;
    form.clock = &clock.counter;
    form.seed = [&options] { return options.seed; };
    form.makeDevice = [&](tservices& services) {
        std::string why;
        if (playrun::MakeRunDevice(services, gl, options.width, options.height, why)) return true;
        MessageToStderr(why);
        return false;
    };
    form.makeInput = [&]() -> std::unique_ptr<input::InputSource> {
        auto made = std::make_unique<trunsource>(std::move(steps), options, form, clock);
        source = made.get();
        return made;
    };
    form.services.waitForTick = [&] { clock.WaitForTick(*form.services.timer); };
    form.services.inputEnded = [&] { return source && source->Exhausted(); };
    form.services.displayHz = options.displayHz;
    form.services.waitCounts = [&](int64_t counts) { clock.Wait(counts); };
    if (options.traceDraw) form.services.afterDraw = [] { tool::Print(playrun::DrawTraceLine()); };
    form.FormCreate();

    const char* ended = "quit";
    int code = tool::Ok;
    try {
        if (!form.InitializeDx()) {
            ended = "error";
            code = tool::Refused;
        }
    } catch (const tframelimit&) {
        ended = "frames";
    } catch (const std::exception& e) {
        MessageToStderr(e.what());
        ended = "error";
        code = tool::Refused;
    }
    const long frames = source ? source->Frames() : 0;
    if (source && !source->ShotsWritten() && code == tool::Ok) code = tool::Refused;
    form.FormDeactivate();
    PrintEnd(ended, frames);
    return code;
}

tool::Register registerRun({"run", RunUsage, RunGame});

} // namespace
