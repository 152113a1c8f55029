// tarnhollow-tool contact-sheet DIR OUT.png: one picture of the whole art set for review.
// Every model of the load order is drawn by the game's own model store and device layer
// (offscreen) in a labelled tile, the skinned ones in several of their poses (the hero also
// with his guns); the menu pictures, the texture sheet, the font and the story sheets are
// laid beside them as the game's picture reader decodes them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "campaign/storycells.h"
#include "command.h"
#include "image.h"
#include "platform/files.h"
#include "platform/gpu/gl_device.h"
#include "platform/gpu/picture.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"
#include "render/assetorder.h"
#include "render/font.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "render/sprites.h"
#include "render/text.h"
#include "render/textures.h"

namespace {

constexpr int Tile = 192;   // pixels of one model tile
constexpr int Columns = 10; // tiles across the sheet
constexpr const char* Folder = "gfx2048\\";

struct ModelTile {
    int model; // index in the store
    std::string label;
    int pose = -1; // keyframe, -1 for the pose the file rests in
    int gun = -1;  // a gun model drawn in the hero's hand (bone 7)
};

// The model's extent in its rest pose, from the bones as the file stores them.
void Bounds(const ExpModel& m, gpu::Vector3& lo, gpu::Vector3& hi) {
    std::vector<tmatrix> bones(m.bones.size());
    for (size_t i = 0; i < m.bones.size(); ++i) {
        const ExpBone& b = m.bones[i];
        tmatrix t = gpu::MatrixIdentity();
        Rotate(t, b.rotation.x, b.rotation.y, b.rotation.z);
        Translate(t, b.offset.x, b.offset.y, 2 * b.offset.z); // the game doubles z
        if (b.parent >= 0) Multiply(t, bones[size_t(b.parent)]);
        bones[i] = t;
    }
    lo = {1e9f, 1e9f, 1e9f}, hi = {-1e9f, -1e9f, -1e9f};
    for (const ExpVertex& v : m.vertices) {
        size_t bone = v.bones[0] < bones.size() ? v.bones[0] : 0;
        gpu::Vector3 p =
            gpu::TransformCoord(v.position, bones.empty() ? gpu::MatrixIdentity() : bones[bone]);
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    if (m.vertices.empty()) lo = hi = {0, 0, 0};
}

class Sheet {
  public:
    forge::Image image;
    int y = 0; // top of the next free row

    explicit Sheet(int width) : image(width, 0) {}
    void Grow(int height) {
        forge::Image bigger(image.width, std::max(image.height, height), forge::Rgb(28, 28, 34));
        bigger.copy(image, 0, 0);
        image = std::move(bigger);
    }
    // Pastes 0xAARRGGBB pixels (rows top to bottom) at (x, top).
    void Paste(const std::vector<uint32_t>& pixels, int w, int h, int x, int top) {
        Grow(top + h);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                uint32_t p = pixels[size_t(row) * w + col];
                image.at(x + col, top + row) = {((p >> 16) & 255) / 255.f, ((p >> 8) & 255) / 255.f,
                                                (p & 255) / 255.f, 1};
            }
    }
};

forge::Image ToImage(const gpu::Picture& p) {
    forge::Image im(p.width, p.height);
    for (size_t i = 0; i < p.pixels.size(); ++i) {
        uint32_t c = p.pixels[i];
        im.pixels[i] = {((c >> 16) & 255) / 255.f, ((c >> 8) & 255) / 255.f, (c & 255) / 255.f,
                        (c >> 24) / 255.f};
    }
    return im;
}

int RunContactSheet(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tarnhollow-tool contact-sheet DIR OUT.png\n");
        return tool::Usage;
    }
    const std::string out = std::filesystem::absolute(args[1]).string();
    if (!files::SetCurrentFolder(args[0])) {
        std::fprintf(stderr, "cannot enter %s\n", args[0].c_str());
        return tool::Usage;
    }
    // Drawn offscreen: no window shows, with or without a desktop.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::Window win("contact sheet");
    if (win.Open({Tile, Tile, false, 32, 0}) != window::OpenResult::Ok) {
        std::fprintf(stderr, "no OpenGL 3.3 context for drawing\n");
        return tool::Refused;
    }
    gpu::DeviceError deviceError;
    std::unique_ptr<gpu::Device> device =
        gpu::CreateGlDevice(win, {Tile, Tile, 32, 24, 8}, deviceError);
    if (!device) {
        std::fprintf(stderr, "no drawing device (error %d)\n", int(deviceError));
        return tool::Refused;
    }
    SetModelDevice(device.get(), true);
    ScreenWidth = 1600, ScreenHeight = 1200; // the font at its designed size
    ComputeScreenLayout();
    td2dsprites sprites(device.get());
    const int font = sprites.Count();
    for (const FontGlyph& g : FontGlyphs)
        sprites.AddSprite(FontPicture, g.left, g.top, g.width, g.height);

    // Load every model of the load order once, as the game does.
    t3dobjects& store = Models();
    std::vector<ModelTile> tiles;
    std::vector<gpu::Vector3> los, his;
    std::set<std::string> seen;
    int hero = -1, pistol = -1, smg = -1, rifle = -1;
    for (const AssetEntry& e : AssetOrder) {
        if (e.kind != AssetKind::RigidModel && e.kind != AssetKind::SkinnedModel) continue;
        if (!seen.insert(e.file).second) continue;
        std::string path = Folder + std::string(e.file);
        int index;
        try {
            index = e.kind == AssetKind::SkinnedModel ? store.AddSkinnedModel(device.get(), path)
                                                      : store.AddModel(device.get(), path);
        } catch (const std::exception& ex) {
            std::fprintf(stderr, "%s\n", ex.what());
            return tool::Refused;
        }
        ExpModel file;
        std::string error;
        LoadExp(path, file, error);
        gpu::Vector3 lo, hi;
        Bounds(file, lo, hi);
        los.resize(size_t(index) + 1), his.resize(size_t(index) + 1);
        los[size_t(index)] = lo, his[size_t(index)] = hi;
        std::string name = e.file;
        if (name == "3dhahmobin.exp") hero = index;
        if (name == "3dhahmobin.exp") name = "hero";
        if (name == "3dhahmobin.exp") name = "hero";
        if (name == "weapon2.exp") pistol = index;
        if (name == "weapon1.exp") smg = index;
        if (name == "weapon3.exp") rifle = index;
        int poses = int(file.poses.size());
        if (e.kind == AssetKind::SkinnedModel && poses > 1) {
            for (int k = 0; k < poses; ++k)
                tiles.push_back({index, name + " " + std::to_string(k), k});
        } else {
            tiles.push_back({index, name});
        }
    }
    // The hero with each gun in his hand, aiming and walking.
    if (hero >= 0) {
        for (auto [gun, pose, label] :
             {std::tuple{pistol, 7, "pistol"}, std::tuple{smg, 7, "smg"},
              std::tuple{smg, 1, "smg walk"}, std::tuple{rifle, 15, "rifle"},
              std::tuple{rifle, 11, "rifle walk"}})
            if (gun >= 0) tiles.push_back({hero, std::string("hero + ") + label, pose, gun});
    }

    Sheet sheet(Columns * Tile);
    std::vector<uint32_t> pixels;
    for (size_t t = 0; t < tiles.size(); ++t) {
        const ModelTile& tile = tiles[t];
        gpu::Vector3 lo = los[size_t(tile.model)], hi = his[size_t(tile.model)];
        if (tile.gun >= 0 || store.Model(tile.model).boneCount > 1) lo.y = std::min(lo.y, 0.0f);
        gpu::Vector3 centre{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
        float radius = std::max(0.08f, std::sqrt((hi.x - lo.x) * (hi.x - lo.x) +
                                                 (hi.y - lo.y) * (hi.y - lo.y) +
                                                 (hi.z - lo.z) * (hi.z - lo.z)) /
                                           2);
        // Seen from the front (the models face -z), a little from the right and above.
        float distance = radius / std::tan(0.35f) * 1.05f;
        gpu::Vector3 dir = gpu::Normalize({0.45f, 0.5f, -0.9f});
        gpu::Vector3 eye{centre.x + dir.x * distance, centre.y + dir.y * distance,
                         centre.z + dir.z * distance};
        device->Clear(gpu::ClearTarget | gpu::ClearZBuffer | gpu::ClearStencil, 0xFF3A3F4C, 1, 0);
        device->BeginScene();
        device->SetView(gpu::MatrixLookAtLH(eye, centre, {0, 1, 0}));
        device->SetProjection(gpu::MatrixPerspectiveFovLH(0.7f, 1, distance * 0.05f, distance * 4));
        gpu::Light sun;
        sun.direction = gpu::Normalize({-0.4f, -0.8f, 0.45f});
        sun.diffuse = {0.85f, 0.85f, 0.8f, 1};
        device->SetLight(0, sun);
        device->LightEnable(0, true);
        device->SetMaterial(gpu::Material{{1, 1, 1, 1}, {1, 1, 1, 1}});
        device->SetRenderState(gpu::RenderState::Ambient, 0xFF6A6A78);
        device->SetRenderState(gpu::RenderState::AlphaBlendEnable, 1);
        device->SetRenderState(gpu::RenderState::SrcBlend, uint32_t(gpu::Blend::SrcAlpha));
        device->SetRenderState(gpu::RenderState::DestBlend, uint32_t(gpu::Blend::InvSrcAlpha));
        auto draw = [&] {
            if (tile.pose >= 0) store.SetPoseFromKeyframe(tile.model, tile.pose);
            const auto op = [](auto v) { return uint32_t(v); };
            store.SetStageOps(tile.model, op(gpu::TextureOp::Modulate),
                              op(gpu::TextureArg::Texture), op(gpu::TextureArg::Diffuse),
                              op(gpu::TextureOp::Modulate));
            float foot = 0;
            if (store.Model(tile.model).boneCount > 20) // stand the lower foot on the ground
                foot = std::min(store.BonePosition(tile.model, 16).y,
                                store.BonePosition(tile.model, 20).y);
            store.DrawModel(tile.model, false, 0, -foot, 0, 0, 0, 0, 1);
            if (tile.gun >= 0) {
                store.SetExtraMatrix(tile.gun, store.BoneMatrix(tile.model, 7));
                store.DrawModel(tile.gun, true, 0, 0, 0, 0, 0, 0, 1.5f);
            }
        };
        draw(); // the first draw places the bones that the feet are measured by
        device->Clear(gpu::ClearTarget | gpu::ClearZBuffer, 0xFF3A3F4C, 1, 0);
        draw();
        device->SetRenderState(gpu::RenderState::AlphaBlendEnable, 0);
        DrawOutlinedText(sprites, 4, 4, tile.label, 0x000000, 0.6f, false, font, 0xFFFFFF, 255);
        device->EndScene();
        device->Present();
        int w = 0, h = 0;
        if (!device->ReadFrontBuffer(pixels, w, h)) {
            std::fprintf(stderr, "the drawing could not be read back\n");
            return tool::Refused;
        }
        sheet.Paste(pixels, w, h, int(t % Columns) * Tile, sheet.y + int(t / Columns) * Tile);
    }
    sheet.y += int((tiles.size() + Columns - 1) / Columns) * Tile + 8;

    // The pictures, each decoded by the game's reader, in rows.
    std::vector<std::pair<std::string, int>> pictures; // file, width on the sheet
    for (const AssetEntry& e : AssetOrder)
        if (e.kind == AssetKind::Picture && !e.inTextureFolder) pictures.push_back({e.file, 632});
    for (const char* menu :
         {"gfx\\choosecharacter.jpg", "gfx\\shopping.jpg", "gfx\\chooselevel.jpg",
          "gfx\\funeral.jpg", "gfx\\escape.jpg", "gfx\\completed.jpg"})
        pictures.push_back({menu, 632});
    pictures.push_back({std::string(Folder) + "textures.png", 952});
    pictures.push_back({FontPicture, 952});
    for (const char* story : StorySheetFiles) pictures.push_back({story, 952});
    int x = 0, rowHeight = 0;
    for (const auto& [file, width] : pictures) {
        gpu::Picture picture;
        if (gpu::DecodePicture(file, picture) != gpu::TextureError::None) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return tool::Refused;
        }
        forge::Image im = ToImage(picture);
        int height = std::max(1, picture.height * width / picture.width);
        if (x + width > sheet.image.width) x = 0, sheet.y += rowHeight + 8, rowHeight = 0;
        sheet.Grow(sheet.y + height + 8);
        // Transparent pictures (the font, the sheets) lie on a checkerboard.
        for (int yy = 0; yy < height; ++yy)
            for (int xx = 0; xx < width; ++xx)
                sheet.image.at(x + xx, sheet.y + yy) =
                    ((xx / 8 + yy / 8) % 2) ? forge::Rgb(70, 70, 80) : forge::Rgb(90, 90, 100);
        sheet.image.draw(forge::Resized(im, width, height), x, sheet.y);
        x += width + 8;
        rowHeight = std::max(rowHeight, height);
    }
    sheet.Grow(sheet.y + rowHeight);
    std::string png = forge::EncodePng(sheet.image);
    if (!files::WriteSafely(out, png)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return tool::Refused;
    }
    return tool::Ok;
}

const tool::Register registerContactSheet({"contact-sheet", "DIR OUT.png", RunContactSheet});

} // namespace
