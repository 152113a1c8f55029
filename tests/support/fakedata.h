#pragma once
// A game folder of stand-in data for tests that load the whole asset order: every model a
// tiny one under the texture folder, every picture a 1 x 1 PNG, every sound an empty file.
// Runs in the current folder.
#include "platform/files.h"
#include "render/assetorder.h"
#include "render/expfile.h"

#include <string>
#include <string_view>

namespace fakedata {

// A valid 1 x 1 PNG (stb_image reads it whatever the file is called).
inline constexpr unsigned char OnePixelPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// One triangle on `bones` bones (the hero's hand and feet hang off the root), with
// `poses` keyframes.
inline ExpModel TinyModel(int bones, int poses) {
    ExpModel m;
    m.texture = "textures.png";
    m.AddBone(-1, {0, 0, 0});
    for (int i = 1; i < bones; ++i) m.AddBone(0, {0, i == 16 || i == 20 ? -0.2f : 1.0f, 0});
    ExpVertex a, b, c;
    a.position = {0, 0, 0};
    b.position = {0, 1, 0};
    c.position = {1, 0, 0};
    a.normal = b.normal = c.normal = {0, 1, 0};
    m.AddTriangle(a, b, c);
    for (int k = 0; k < poses; ++k)
        m.AddPose("pose" + std::to_string(k), std::vector<tvector>(size_t(bones), tvector{}));
    return m;
}

// Writes every file of the load order for the texture folder ("gfx1024\" or "gfx2048\").
inline bool Write(std::string_view textureFolder) {
    const std::string png(reinterpret_cast<const char*>(OnePixelPng), sizeof OnePixelPng);
    files::MakeFolder("gfx");
    files::MakeFolder("snd");
    files::MakeFolder(std::string(textureFolder.substr(0, textureFolder.size() - 1)));
    std::string error;
    for (const AssetEntry& entry : AssetOrder) {
        const std::string path =
            (entry.inTextureFolder ? std::string(textureFolder) : "") + entry.file;
        bool ok = true;
        switch (entry.kind) {
        case AssetKind::RigidModel:
        case AssetKind::SkinnedModel: {
            const bool heroModel = std::string_view(entry.file) == "3dhahmobin.exp";
            ok = SaveExp(path, TinyModel(heroModel ? 21 : 1, heroModel ? 17 : 1), error);
            break;
        }
        case AssetKind::Picture:
        case AssetKind::FontGlyphs:
            ok = files::WriteSafely(path, png);
            break;
        case AssetKind::Effect:
        case AssetKind::MusicName:
            ok = files::WriteSafely(path, "");
            break;
        }
        if (!ok) return false;
    }
    return files::WriteSafely(std::string(textureFolder) + "textures.png", png);
}

} // namespace fakedata
