#include "playrun.h"

#include "json.h"
#include "output.h"

#include "../levels/picture.h"

#include "campaign/levels.h"
#include "campaign/players.h"
#include "creatures/creaturetable.h"
#include "engine/random.h"
#include "engine/scriptedinput.h"
#include "engine/settings.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "platform/gpu/null_device.h"
#include "platform/message.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "startup/userfolder.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/level/levelloader.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/replay/replayplay.h"
#include "world/tables.h"

#include <charconv>
#include <cstdlib>

namespace playrun {

namespace {

// The player of a run without a players file.
tplayer testplayer;

tplayer NewTestPlayer() {
    tplayer p;
    p.Name = "TEST";
    p.Lives = 7;
    p.Energy = 100;
    p.Jump = 100;
    p.Own[0] = true;
    return p;
}

template <typename T> bool ToNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::string Rounds(const std::array<int32_t, GunCount + 1>& rounds) {
    std::vector<std::string> items;
    for (int gun = 1; gun <= GunCount; ++gun) items.push_back(json::Number(rounds[gun]));
    return tool::JsonArray(items);
}

} // namespace

struct tlevelrun::tclock {
    VirtualCounter counter{ClockFrequency};
    input::InputSource* source = nullptr; // owned by the input object
};

bool MakeRunDevice(tservices& services, bool gl, int width, int height, std::string& error) {
    services.graphics = std::make_unique<TDGraphics>();
    if (!gl) {
        services.graphics->UseDevice(std::make_unique<gpu::NullDevice>(width, height), kDepthD24S8);
        return true;
    }
    services.window = std::make_unique<window::Window>("Tarnhollow");
    services.window->SetWatched(false); // offscreen: frames are read back, never shown
    services.graphics->SetWindow(services.window.get());
    if (services.graphics->CreateDevice(0, width, height, kColour32, kDepthD24S8, true, true) ==
        CreateDeviceResult::Ok)
        return true;
    error = "no OpenGL 3.3 device could be made";
    return false;
}

void MakeRecordingRunDevice(tservices& services, int width, int height) {
    services.graphics = std::make_unique<TDGraphics>();
    services.graphics->UseDevice(std::make_unique<FrameRecorder>(width, height), kDepthD24S8);
}

std::string DrawTraceLine() {
    const auto triple = [](const std::array<float, 3>& v) {
        return tool::JsonArray({json::Number(v[0]), json::Number(v[1]), json::Number(v[2])});
    };
    return tool::JsonObject()
        .Add("drawn", json::Number(drawnpicture.drawn))
        .Add("frame", json::Number(drawnpicture.frame))
        .Add("alpha", json::Number(drawnpicture.alpha))
        .Add("hero", triple(drawnpicture.hero))
        .Add("camera", triple(drawnpicture.camera))
        .Text();
}

bool ParseDisplayHz(const std::string& text, int& hz) {
    return ToNumber(text, hz) && hz >= 1 && hz <= 1000;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return ToNumber(text.substr(0, x), width) && ToNumber(text.substr(x + 1), height) &&
           width >= 16 && height >= 16 && width <= 8192 && height <= 8192;
}

bool SaveFrame(tservices& services, const std::string& path) {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    gpu::Device* device = services.graphics ? services.graphics->Device() : nullptr;
    if (!device || !device->ReadFrontBuffer(pixels, width, height)) return false;
    levelkit::Picture picture(width, height, {0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            picture.Fill(x, y, 1, 1,
                         {uint8_t(p >> 16 & 0xFF), uint8_t(p >> 8 & 0xFF), uint8_t(p & 0xFF)});
        }
    return picture.SavePng(path);
}

bool ParseCommonOption(const std::vector<std::string>& args, size_t& i, tsetup& setup,
                       std::string& error) {
    const std::string& flag = args[i];
    if (i + 1 >= args.size()) {
        error = flag + " needs a value";
        return false;
    }
    const std::string& value = args[++i];
    if (flag == "--keys") {
        setup.keys = value;
    } else if (flag == "--frames") {
        long n = 0;
        if (!ToNumber(value, n) || n < 1) {
            error = "--frames takes a whole number of at least 1";
            return false;
        }
        setup.frames = n;
    } else if (flag == "--seed") {
        if (!ToNumber(value, setup.seed)) {
            error = "--seed takes a whole number 0..4294967295";
            return false;
        }
    } else if (flag == "--display-hz") {
        if (!ParseDisplayHz(value, setup.displayHz)) {
            error = "--display-hz takes refreshes a second 1..1000";
            return false;
        }
    } else if (flag == "--players") {
        setup.players = value;
    } else if (flag == "--slot") {
        if (!ToNumber(value, setup.slot) || setup.slot < 1 || setup.slot > PlayerSlotCount) {
            error = "--slot takes a slot number 1..10";
            return false;
        }
    } else {
        error = "unknown option " + flag;
        return false;
    }
    return true;
}

tlevelrun::tlevelrun() : clock_(std::make_unique<tclock>()) {}

tlevelrun::~tlevelrun() {
    form_.FormDeactivate();
    Models().Clear();
    UsePlayerRecord(testplayer); // the slot table must not be the world's after us
}

bool tlevelrun::Prepare(const tsetup& setup, std::string& error) {
    setup_ = setup;
    // The world makes the level's creatures from the creatures' table, as at the game's start.
    UseCreatureTable();

    // Everything named on the command line is read before moving into the game folder.
    std::string name, id;
    if (!ReadLevelHeader(setup.level, name, id)) {
        error = setup.level + ": the level file cannot be read";
        return false;
    }
    try {
        document_ = LoadHeaderedDocument(setup.level, LargestLevelFile);
    } catch (const XmlError& e) {
        error = setup.level + ": " + e.what();
        return false;
    }
    if (!document_) {
        error = setup.level + ": the level document does not parse";
        return false;
    }

    std::vector<InputStep> steps;
    if (!setup.keys.empty()) {
        std::string text, why;
        if (!files::ReadAll(setup.keys, text)) {
            error = setup.keys + ": the key script cannot be read";
            return false;
        }
        auto parsed = ParseInputScript(text, why);
        if (!parsed) {
            error = setup.keys + ": " + why;
            return false;
        }
        steps = std::move(*parsed);
    }

    tplayer* player = &testplayer;
    testplayer = NewTestPlayer();
    if (!setup.players.empty()) {
        CreateDefaultPlayers();
        if (!LoadPlayersFrom(setup.players, false)) {
            error = setup.players + ": the players file cannot be read";
            return false;
        }
        if (PlayerProfiles[setup.slot].Lives <= 0) {
            error = "slot " + std::to_string(setup.slot) + " holds no player";
            return false;
        }
        player = &PlayerProfiles[setup.slot];
    }

    const std::string folder =
        setup.data.empty() ? GameFolderOf(files::ProgramFolder()) : setup.data;
    if (!files::SetCurrentFolder(folder)) {
        error = folder + ": cannot change to the game folder";
        return false;
    }

    settings = tsettings{};
    TextureFolder = setup.textureFolder;
    ScreenWidth = setup.width;
    ScreenHeight = setup.height;
    ComputeScreenLayout();

    // The level is tried once before anything is made, so a bad level is refused plainly.
    ResetWorldTables();
    ClearWorld();
    std::string why;
    if (!LoadLevel(*document_, &why)) {
        error = setup.level + ": level refused: " + why;
        return false;
    }
    UsePlayerRecord(*player);
    Randomize(setup.seed);

    // Headless: no sound card, and with GL no display.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (setup.gl) setenv("SDL_VIDEODRIVER", "offscreen", 1);

    form_.makeDevice = [&setup, &error](tservices& services) {
        if (!setup.record || setup.gl)
            return MakeRunDevice(services, setup.gl, setup.width, setup.height, error);
        MakeRecordingRunDevice(services, setup.width, setup.height);
        return true;
    };
    if (setup.replay) steps = setup.replay->keys;
    form_.makeInput = [&setup, &steps, this]() -> std::unique_ptr<input::InputSource> {
        std::unique_ptr<input::InputSource> source =
            setup.makeInput ? setup.makeInput() : std::make_unique<ScriptedInput>(std::move(steps));
        clock_->source = source.get();
        return source;
    };
    form_.clock = &clock_->counter;
    form_.quietLoading = true;
    tservices& services = form_.services;
    // Each wait for a tick finds the next tick due at once: every frame is drawn.
    services.waitForTick = [this] { clock_->counter.Advance(ClockFrequency / FramesPerSecond); };
    services.displayHz = setup.displayHz;
    services.waitCounts = [this](int64_t counts) { clock_->counter.Advance(counts); };
    services.inputEnded = [this] { return clock_->source->Exhausted(); };

    // What the start would show in a message box becomes the reason the run is refused.
    const MessageFunction shown = ShowMessage;
    ShowMessage = [&error](std::string_view text, MessageIcon) {
        if (error.empty()) error = text;
    };
    const bool started = form_.StartWithoutMenus();
    ShowMessage = shown;
    // The seams are used once, by the start: what they refer to ends with this call.
    form_.makeDevice = nullptr;
    form_.makeInput = nullptr;
    if (!started) {
        if (error.empty()) error = "the run could not be started";
        return false;
    }
    if (setup.replay) {
        // Last, so nothing made above moves the random state it starts from.
        EnterReplayStart(*setup.replay, *player);
        form_.services.frameUndrawn = UndrawnLike(*setup.replay);
    }
    prepared_ = true;
    return true;
}

void tlevelrun::Play(const std::function<void()>& onFrame) {
    if (!prepared_) return;
    const long limit = setup_.frames.value_or(
        setup_.replay ? static_cast<long>(ReplayFrameLimit(*setup_.replay)) : FrameCap);
    outcome_ = -1; // stays so when the run stops before the level ends
    tservices& services = form_.services;
    services.afterFrame = [&] {
        if (onFrame) onFrame();
        return inlevel.loopstate.frames < limit;
    };
    outcome_ = GameLoop(services, *document_);
    services.afterFrame = nullptr;
}

std::string tlevelrun::Summary() const {
    const tplayer& p = Player();
    return tool::JsonObject()
        .Add("LevelOutcome", json::Number(outcome_))
        .Add("frames", json::Number(inlevel.loopstate.frames))
        .Add("Score", json::Number(p.Score))
        .Add("Lives", json::Number(p.Lives))
        .Add("Money", json::Number(p.Money))
        .Add("MonstersKilled", json::Number(inlevel.MonstersKilled))
        .Add("PotionsFound", json::Number(inlevel.PotionsFound))
        .Add("TreasuresFound", json::Number(inlevel.TreasuresFound))
        .Add("RoundsFired", json::Number(inlevel.RoundsFired))
        .Text();
}

std::string tlevelrun::TraceLine() {
    const tplayer& p = Player();
    std::vector<std::string> list;
    for (const auto& c : creatures)
        list.push_back(tool::JsonObject()
                           .Add("kind", json::Quote(KindOf(*c)))
                           .Add("column", json::Number(c->column))
                           .Add("row", json::Number(c->row))
                           .Text());
    return tool::JsonObject()
        .Add("frame", json::Number(inlevel.loopstate.frames - 1))
        .Add("attempt", json::Number(inlevel.loopstate.attempt))
        .Add("column", json::Number(hero.column))
        .Add("row", json::Number(hero.row))
        .Add("height", json::Number(hero.height))
        .Add("climb", json::Number(hero.climb))
        .Add("Facing", json::Number(inlevel.Facing))
        .Add("Energy", json::Number(p.Energy))
        .Add("Lives", json::Number(p.Lives))
        .Add("Score", json::Number(p.Score))
        .Add("Jump", json::Number(p.Jump))
        .Add("Gun", json::Number(p.Gun))
        .Add("AmmoCurrent", Rounds(p.AmmoCurrent))
        .Add("AmmoAll", Rounds(p.AmmoAll))
        .Add("DeathFade", json::Number(inlevel.DeathFade))
        .Add("ExitFade", json::Number(inlevel.ExitFade))
        .Add("SpeedTimer", json::Number(inlevel.SpeedTimer))
        .Add("BlessingTimer", json::Number(inlevel.BlessingTimer))
        .Add("InvincibilityTimer", json::Number(inlevel.InvincibilityTimer))
        .Add("InvisibilityTimer", json::Number(inlevel.InvisibilityTimer))
        .Add("TreasureBonus", json::Number(inlevel.TreasureBonus))
        .Add("creatures", tool::JsonArray(list))
        .Text();
}

} // namespace playrun
