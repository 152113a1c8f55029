// tarnhollow-tool check-data DIR: opens every file the game would load from a game folder,
// with the game's own readers, in the game's load order, for both texture folders, plus
// the story sheets, the music, the level files and their par runs. One JSON line per file:
//   {"file": "gfx1024\\laatta1.exp", "status": "ok"}
// and exit 1 when any file is missing or broken.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "campaign/levels.h"
#include "campaign/storycells.h"
#include "command.h"
#include "engine/xmlparser.h"
#include "json.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/gpu/picture.h"
#include "render/assetorder.h"
#include "render/expfile.h"
#include "render/font.h"
#include "world/level/levelloader.h"
#include "world/loop/gameloop.h"
#include "world/replay/replayplay.h"

namespace {

struct Rectangle {
    int left, top, width, height;
};

class Checker {
  public:
    int failures = 0;

    void Report(const std::string& file, const std::string& status) {
        if (!reported_.insert(file).second) return; // a file loaded twice is reported once
        if (status != "ok") ++failures;
        std::printf("{\"file\": %s, \"status\": %s}\n", json::Quote(file).c_str(),
                    json::Quote(status).c_str());
    }

    // A picture file and the rectangles cut from it.
    void Picture(const std::string& file, const std::vector<Rectangle>& rects) {
        if (reported_.count(file)) return;
        if (!files::Exists(file)) return Report(file, "missing");
        gpu::Picture picture;
        if (gpu::DecodePicture(file, picture) != gpu::TextureError::None)
            return Report(file, "not a picture the game can read");
        for (const Rectangle& r : rects)
            if (r.left < 0 || r.top < 0 || r.width <= 0 || r.height <= 0 ||
                r.left + r.width > picture.width || r.top + r.height > picture.height)
                return Report(file, "rectangle " + std::to_string(r.left) + "," +
                                        std::to_string(r.top) + " " + std::to_string(r.width) +
                                        "x" + std::to_string(r.height) + " lies outside the " +
                                        std::to_string(picture.width) + "x" +
                                        std::to_string(picture.height) + " picture");
        Report(file, "ok");
    }

    void Model(const std::string& folder, const std::string& file) {
        const std::string path = folder + file;
        if (reported_.count(path)) return;
        if (!files::Exists(path)) return Report(path, "missing");
        ExpModel model;
        std::string error;
        if (!LoadExp(path, model, error)) return Report(path, error);
        // The model's texture lies beside it and must load as well.
        const std::string texture = folder + model.texture;
        if (!files::Exists(texture)) return Report(path, "its texture " + texture + " is missing");
        Report(path, "ok");
    }

    // Effects are decoded whole, music is streamed: each is opened the way the game opens it.
    void Sound(const std::string& file, bool music) {
        if (reported_.count(file)) return;
        if (!files::Exists(file)) return Report(file, "missing");
        if (!audio_.IsOpen()) return Report(file, "no sound device to decode it with");
        bool opens =
            music ? audio::Music::Open(file) != nullptr : audio::Sample::Load(file) != nullptr;
        Report(file, opens ? "ok" : "not a sound the game can play");
    }

    // A level document; remembers the music its header names.
    void Level(const std::string& file, std::set<std::string>& music) {
        if (!files::Exists(file)) return Report(file, "missing");
        try {
            std::unique_ptr<tnode> root = LoadHeaderedDocument(file, LargestLevelFile);
            if (!root) return Report(file, "not a level document");
            const tnode& hd = root->Child("Lv").Child("Hd");
            if (hd.Child("Id").text.empty() || hd.Child("Ag").text != hd.Child("Id").text)
                return Report(file, "its Id and Ag do not agree");
            if (root->Child("Lv").Child("Da").CountChildren("") != 2500)
                return Report(file, "its map does not hold 2500 cells");
            if (const tnode* mu = hd.FindChild("Mu"); mu && !mu->text.empty()) {
                // The game never opens such a name, and neither may the check.
                if (!SafeMusicName(mu->text))
                    return Report(file, "its music \"" + mu->text + "\" lies outside snd");
                music.insert("snd\\" + mu->text);
            }
            Report(file, "ok");
        } catch (const XmlError& e) {
            Report(file, e.what());
        }
    }

    // A par run: a completed run of this very version of the level (the run is played back
    // by the par test; here it is read and matched to the level).
    void Par(const std::string& file, const std::string& level) {
        std::string text, bytes, name, id, why;
        if (!files::ReadAll(file, text, LargestReplayFile)) return Report(file, "missing");
        const auto run = ParseReplay(text, why);
        if (!run) return Report(file, why);
        if (!files::ReadAll(level, bytes) || !ReadLevelHeader(level, name, id))
            return Report(file, level + " cannot be read");
        if (!ReplayFitsLevel(*run, name, id, bytes, why)) return Report(file, why);
        if (run->result.LevelOutcome != OutcomeCompleted)
            return Report(file, "not a completed run of the level");
        Report(file, "ok");
    }

  private:
    std::set<std::string> reported_;
    audio::Output audio_;
};

int RunCheckData(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tarnhollow-tool check-data DIR\n");
        return tool::Usage;
    }
    if (!files::SetCurrentFolder(args[0])) {
        std::fprintf(stderr, "cannot enter %s\n", args[0].c_str());
        return tool::Usage;
    }
    // The sounds are decoded, never played: a silent output device is all that is needed.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Checker check;

    for (const char* folder : {"gfx1024\\", "gfx2048\\"}) {
        const bool big = folder[3] == '2';
        // Every rectangle cut from each picture file, gathered first so a sheet is read once.
        std::map<std::string, std::vector<Rectangle>> pictures;
        std::vector<std::string> order;
        for (const AssetEntry& e : AssetOrder) {
            const std::string file = (e.inTextureFolder ? folder : "") + std::string(e.file);
            switch (e.kind) {
            case AssetKind::RigidModel:
            case AssetKind::SkinnedModel:
                check.Model(folder, e.file);
                break;
            case AssetKind::Picture: {
                const PictureRect& r = big ? e.rect2048 : e.rect1024;
                if (!pictures.count(file)) order.push_back(file);
                pictures[file].push_back({r.left, r.top, r.width, r.height});
                break;
            }
            case AssetKind::FontGlyphs:
                if (!pictures.count(file)) order.push_back(file);
                for (const FontGlyph& g : FontGlyphs)
                    pictures[file].push_back({g.left, g.top, g.width, g.height});
                break;
            case AssetKind::MusicName:
            case AssetKind::Effect:
                break;
            }
        }
        for (const std::string& file : order) check.Picture(file, pictures[file]);
    }

    // The full-screen pictures the menu screens swap into the background sprite.
    for (const char* menu :
         {"gfx\\choosecharacter.jpg", "gfx\\shopping.jpg", "gfx\\chooselevel.jpg",
          "gfx\\funeral.jpg", "gfx\\escape.jpg", "gfx\\completed.jpg"})
        check.Picture(menu, {{0, 0, 800, 450}});

    for (int sheet = 1; sheet <= StorySheetCount; ++sheet) {
        std::vector<Rectangle> cells;
        for (const StoryCell& c : StoryCells)
            if (c.sheet == sheet) cells.push_back({c.left, c.top, c.width, c.height});
        check.Picture(StorySheetFiles[sheet - 1], cells);
    }

    std::set<std::string> music = {"snd\\intro.ogg", "snd\\end.ogg"};
    for (const AssetEntry& e : AssetOrder)
        if (e.kind == AssetKind::MusicName || e.kind == AssetKind::Effect)
            check.Sound(e.file, e.kind == AssetKind::MusicName);

    char name[32]; // room for any int: -O1 builds check the format's widest output
    for (int level = 1; level <= 80; ++level) {
        std::snprintf(name, sizeof name, "lvl\\%.2d.dat", level);
        check.Level(name, music);
    }
    for (const std::string& user : files::List("customlvl\\*.dat"))
        check.Level("customlvl\\" + user, music);
    for (const std::string& piece : music) check.Sound(piece, true);
    for (int level = 1; level <= 80; ++level) {
        char par[32];
        std::snprintf(name, sizeof name, "lvl\\%.2d.dat", level);
        std::snprintf(par, sizeof par, "par\\%.2d.replay", level);
        check.Par(par, name);
    }

    return check.failures ? tool::Refused : tool::Ok;
}

const tool::Register registerCheckData({"check-data", "DIR", RunCheckData});

} // namespace
