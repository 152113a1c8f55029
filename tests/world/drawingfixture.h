#pragma once
// A stage for tests of the world's drawing: every model and sprite of the asset order is
// loaded as a small stand-in at its real index, on a recording device that also notes, for
// every triangle list, which model was drawn, where, and under which states.
//
// The stand-in hero has the bones and keyframes the game reads: 21 bones (the hand is bone
// 7, the feet bones 16 and 20, which hang 0.2 and 0.3 below the root) and 17 keyframes,
// keyframe k turning every bone by k / 100 about x. Every other model is one triangle on one
// bone.
#include "engine/dgraphics.h"
#include "engine/dinput.h"
#include "engine/scriptedinput.h"
#include "engine/settings.h"
#include "platform/gpu/recording_device.h"
#include "platform/gpu/transform.h"
#include "platform/message.h"
#include "platform/window_desktop.h"
#include "render/assetorder.h"
#include "render/expfile.h"
#include "render/font.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "render/sprites.h"
#include "render/textures.h"
#include "support/scratch_folder.h"
#include "world/level/levelloader.h"
#include "world/playerrecord.h"
#include "world/tables.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace drawing {

// One triangle list as the device saw it.
struct tdraw {
    int model = -1;
    gpu::Matrix world{}; // world matrix 0 (the model's place)
    float zNear = 0, zFar = 0;
    uint32_t blend = 0, srcBlend = 0, destBlend = 0;
    uint32_t zEnable = 0, zWrite = 0;
    uint32_t stencil = 0, stencilFunc = 0, stencilPass = 0;
    uint32_t textureFactor = 0, stage1Op = 0, stage1Arg2 = 0;
    uint32_t stage0Op = 0, stage0Arg1 = 0, stage0Alpha = 0;
    uint32_t ambient = 0;
    size_t callIndex = 0; // position in the recorder's call list
    float X() const { return world.m[3][0]; }
    float Y() const { return world.m[3][1]; }
    float Z() const { return world.m[3][2]; }
};

// The near and far planes of a left-handed perspective projection.
inline void DepthRangeOf(const gpu::Matrix& p, float& zNear, float& zFar) {
    const float a = p.m[2][2], b = p.m[3][2];
    if (a == 0.0f || a == 1.0f) {
        zNear = zFar = 0;
        return;
    }
    zNear = -b / a;
    zFar = zNear * a / (a - 1.0f);
}

class DrawLog : public gpu::RecordingDevice {
  public:
    using gpu::RecordingDevice::RecordingDevice;
    std::map<const gpu::VertexBuffer*, int>* modelOf = nullptr;
    std::vector<tdraw> draws;

    void DrawTriangleList(int firstVertex, int triangleCount) override {
        gpu::RecordingDevice::DrawTriangleList(firstVertex, triangleCount);
        using gpu::RenderState, gpu::StageState;
        tdraw d;
        if (modelOf) {
            auto found = modelOf->find(stream);
            if (found != modelOf->end()) d.model = found->second;
        }
        d.world = world[0];
        DepthRangeOf(projection, d.zNear, d.zFar);
        d.blend = RenderStateValue(RenderState::AlphaBlendEnable);
        d.srcBlend = RenderStateValue(RenderState::SrcBlend);
        d.destBlend = RenderStateValue(RenderState::DestBlend);
        d.zEnable = RenderStateValue(RenderState::ZEnable);
        d.zWrite = RenderStateValue(RenderState::ZWriteEnable);
        d.stencil = RenderStateValue(RenderState::StencilEnable);
        d.stencilFunc = RenderStateValue(RenderState::StencilFunc);
        d.stencilPass = RenderStateValue(RenderState::StencilPass);
        d.textureFactor = RenderStateValue(RenderState::TextureFactor);
        d.ambient = RenderStateValue(RenderState::Ambient);
        d.stage1Op = StageStateValue(1, StageState::ColourOp);
        d.stage1Arg2 = StageStateValue(1, StageState::ColourArg2);
        d.stage0Op = StageStateValue(0, StageState::ColourOp);
        d.stage0Arg1 = StageStateValue(0, StageState::ColourArg1);
        d.stage0Alpha = StageStateValue(0, StageState::AlphaOp);
        d.callIndex = calls.size() - 1;
        draws.push_back(d);
    }

    std::vector<tdraw> DrawsOf(int model) const {
        std::vector<tdraw> found;
        for (const tdraw& d : draws)
            if (d.model == model) found.push_back(d);
        return found;
    }
    // Index in `calls` of the first line equal to `line` at or after `from`; -1 when none.
    long Find(const std::string& line, size_t from = 0) const {
        for (size_t i = from; i < calls.size(); ++i)
            if (calls[i] == line) return static_cast<long>(i);
        return -1;
    }
};

inline ExpVertex Corner(float x, float y, float z) {
    ExpVertex v;
    v.position = {x, y, z};
    v.normal = {0, 1, 0};
    return v;
}

inline ExpModel StandInHero() {
    ExpModel hero;
    hero.texture = "missing.png";
    hero.AddBone(-1, {0, 0, 0});
    for (int i = 1; i <= 20; ++i) {
        tvector offset{0, 1.0f, 0};
        if (i == 7) offset = {0.5f, 1.2f, 0};
        if (i == 16) offset = {0, -0.2f, 0};
        if (i == 20) offset = {0, -0.3f, 0};
        hero.AddBone(0, offset);
    }
    hero.AddTriangle(Corner(0, 0, 0), Corner(0, 1, 0), Corner(1, 0, 0));
    for (int k = 0; k <= 16; ++k)
        hero.AddPose("pose" + std::to_string(k),
                     std::vector<tvector>(21, tvector{k / 100.0f, 0, 0}));
    return hero;
}

inline ExpModel StandInPart() {
    ExpModel part;
    part.texture = "missing.png";
    part.AddBone(-1, {0, 0, 0});
    part.AddTriangle(Corner(-0.5f, 0, -0.5f), Corner(-0.5f, 0, 0.5f), Corner(0.5f, 0, 0.5f));
    part.AddPose("rest", {tvector{0, 0, 0}});
    return part;
}

// Loads the stand-ins into the model store and the sprites into `sprites` on `device`;
// `files` names other model files for some indices.
inline void LoadStandIns(gpu::Device* device, td2dsprites& sprites,
                         std::map<const gpu::VertexBuffer*, int>& modelOf,
                         const std::map<int, std::string>& files = {}) {
    std::string error;
    ASSERT_TRUE(SaveExp("hero.exp", StandInHero(), error)) << error;
    ASSERT_TRUE(SaveExp("part.exp", StandInPart(), error)) << error;
    sprites.CreateSprites(device);
    for (size_t row = 0; row < AssetOrder.size(); ++row) {
        const AssetEntry& entry = AssetOrder[row];
        const int expected = StoreIndexOfRow(row);
        int index = expected;
        const auto own = files.find(expected);
        const std::string part = own != files.end() ? own->second : "part.exp";
        switch (entry.kind) {
        case AssetKind::RigidModel:
            index = Models().AddModel(device, part);
            break;
        case AssetKind::SkinnedModel:
            index = Models().AddSkinnedModel(device, row == 0 ? "hero.exp" : part);
            break;
        case AssetKind::Picture: {
            const PictureRect& r = entry.rect2048;
            index = sprites.AddSprite(entry.file, r.left, r.top, r.width, r.height);
            break;
        }
        case AssetKind::FontGlyphs:
            for (const FontGlyph& g : FontGlyphs)
                sprites.AddSprite(entry.file, g.left, g.top, g.width, g.height);
            break;
        default:
            break;
        }
        ASSERT_EQ(index, expected) << entry.file;
    }
    for (int i = 0; i < Models().Count(); ++i) modelOf[Models().Model(i).vertexBuffer.get()] = i;
}

class DrawingTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    TDGraphics graphics;
    DrawLog* log = nullptr;
    td2dsprites sprites;
    std::map<const gpu::VertexBuffer*, int> modelOf;

    void SetUp() override {
        settings = tsettings{};
        ResetWorldTables();
        ResetScreenLayout();
        ComputeScreenLayout();
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        UseDepthFormat(kDepthD24S8);
        LoadStandIns(log, sprites, modelOf);
        for (auto& line : tiles)
            for (ttile& cell : line) cell.block = models::FirstFloor;
        inlevel.loaded.mainlight = tmainlight{};
        inlevel.loaded.filllight = tfilllight{};
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        SetModelDevice(nullptr, false);
        ShowMessage = MessageToStderr;
        ResetWorldTables();
    }

    // A fresh recorder with the depth format; the models stay.
    void UseDepthFormat(int depthFormat) {
        auto device = std::make_unique<DrawLog>(ScreenWidth, ScreenHeight);
        log = device.get();
        log->modelOf = &modelOf;
        graphics.UseDevice(std::move(device), depthFormat);
        SetModelDevice(log, true);
        Models().ForgetDeviceState();
        log->calls.clear();
    }
    void Forget() {
        log->calls.clear();
        log->draws.clear();
    }
};

// An input object whose keys follow the script (see scriptedinput.h); Poll() steps a frame.
inline void Script(TDInput& input, const std::string& script) {
    std::string error;
    auto steps = ParseInputScript(script, error);
    ASSERT_TRUE(steps) << error;
    input.Release();
    ASSERT_TRUE(input.Init(std::make_unique<ScriptedInput>(*steps)));
}

} // namespace drawing
