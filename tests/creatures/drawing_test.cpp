// How monsters, arrows and stones are drawn: poses, feet on the floor, turns, and the
// device states each kind changes around its model and puts back. Every model of the store
// is a tiny skeleton whose keyframe k turns each bone by 0.1 x k about the vertical axis
// (so a bone's angle tells which keyframes were blended) and whose bones 10, 16 and 20 sit
// at known heights.
#include "arena.h"

#include "creatures/monsters.h"
#include "creatures/projectiles.h"
#include "engine/dgraphics.h"
#include "platform/gpu/recording_device.h"
#include "platform/message.h"
#include "platform/window.h"
#include "render/object3d.h"
#include "render/textures.h"
#include "support/scratch_folder.h"
#include "world/level/levelloader.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr int BoneCount = 21;
constexpr int KeyframeCount = 6;
constexpr float LeftFootHeight = 0.4f, RightFootHeight = 0.25f, GhostBoneHeight = 0.7f;

// A model draw as the device stood at that moment.
struct tdraw {
    int32_t model;
    float x, y, z, rx, ry, rz, scale;
    uint32_t ambient, alphaBlend, stage1Op, textureFactor;
    gpu::ColourValue light0;
};

// Draws through the model store (so bone positions are real) and notes each draw.
struct tdrawlog : tworldoutput {
    gpu::RecordingDevice* device = nullptr;
    std::vector<tdraw> draws;

    tdrawlog() { UseWorldOutput(this); }
    ~tdrawlog() override { UseWorldOutput(nullptr); }
    void DrawModel(int32_t model, float x, float y, float z, float rx, float ry, float rz,
                   float scale) override {
        using gpu::RenderState;
        draws.push_back(
            {model, x, y, z, rx, ry, rz, scale, device->RenderStateValue(RenderState::Ambient),
             device->RenderStateValue(RenderState::AlphaBlendEnable),
             device->StageStateValue(1, gpu::StageState::ColourOp),
             device->RenderStateValue(RenderState::TextureFactor), device->lights[0].diffuse});
        Models().DrawModel(model, false, x, y, z, rx, ry, rz, scale);
    }
};

struct Drawing : Arena {
    ScratchFolder folder;
    TDGraphics graphics;
    gpu::RecordingDevice* device = nullptr;
    tdrawlog log;

    void SetUp() override {
        Arena::SetUp();
        graphics.UseDevice(std::make_unique<gpu::RecordingDevice>(), kDepthD24S8);
        device = static_cast<gpu::RecordingDevice*>(graphics.Device());
        log.device = device;
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        SetModelDevice(device, true);

        ExpModel model;
        model.texture = "none.png";
        const int root = model.AddBone(-1, {0, 0, 0});
        for (int b = 1; b < BoneCount; ++b) {
            float height = 1.0f;
            if (b == 16) height = LeftFootHeight;
            if (b == 20) height = RightFootHeight;
            if (b == 10) height = GhostBoneHeight;
            model.AddBone(root, {0, height, 0});
        }
        model.AddTriangle(ExpVertex{{0, 0, 0}}, ExpVertex{{0, 1, 0}}, ExpVertex{{1, 0, 0}});
        for (int k = 0; k < KeyframeCount; ++k)
            model.AddPose("pose" + std::to_string(k),
                          std::vector<tvector>(BoneCount, tvector{0, 0.1f * k, 0}));
        std::string error;
        ASSERT_TRUE(SaveExp("tiny.exp", model, error)) << error;
        while (Models().Count() <= models::ArrowShadow)
            ASSERT_GE(Models().AddSkinnedModel(device, "tiny.exp"), 0);

        inlevel.loaded.mainlight = tmainlight{200, 180, 160, 1.0f / 3, -2.0f / 3, 2.0f / 3, 0.8f};
        inlevel.loaded.filllight = tfilllight{40, 50, 60, 0.3f};
        graphics.SetAmbient(inlevel.loaded.filllight.R, inlevel.loaded.filllight.G,
                            inlevel.loaded.filllight.B);
        graphics.SetDirectionalLight(0, inlevel.loaded.mainlight.R, inlevel.loaded.mainlight.G,
                                     inlevel.loaded.mainlight.B, inlevel.loaded.mainlight.X,
                                     inlevel.loaded.mainlight.Y, inlevel.loaded.mainlight.Z);
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        ShowMessage = MessageToStderr;
        SetModelDevice(nullptr, false);
        Arena::TearDown();
    }
    static float Bone(int32_t model, int bone) {
        return Models().Model(model).bones[static_cast<size_t>(bone)].rotation.y;
    }
    static uint32_t Grey(int g) { return gpu::MakeArgb(0, g, g, g); }
    static uint32_t Fill() { return gpu::MakeArgb(0, 40, 50, 60); }
};

TEST_F(Drawing, ZombieWalksAndStrikesOnItsFeet) {
    AddZombie(10, 10);
    tcreature& zombie = Last();
    zombie.direction = 3;
    zombie.walkphase = 1.25f;
    tiles[10][10].seen = 0;
    zombie.Draw(graphics);
    EXPECT_TRUE(log.draws.empty()); // not over an unseen cell

    tiles[10][10].seen = SeenMark;
    zombie.Draw(graphics);
    zombie.Draw(graphics);
    ASSERT_EQ(log.draws.size(), 2u);
    // The feet are read from the model's previous draw: nothing before the first.
    EXPECT_FLOAT_EQ(log.draws[0].y, 0.0f);
    const tdraw& d = log.draws[1];
    EXPECT_EQ(d.model, models::Zombie);
    EXPECT_FLOAT_EQ(d.x, 10.0f);
    EXPECT_FLOAT_EQ(d.y, -RightFootHeight); // the lower foot rests on the floor
    EXPECT_FLOAT_EQ(d.z, 10.0f);
    EXPECT_FLOAT_EQ(d.ry, -Pi / 2);
    EXPECT_FLOAT_EQ(d.scale, 1.0f);
    // Walk keyframes 1 and 2, a quarter of the way.
    EXPECT_NEAR(Bone(models::Zombie, 0), 0.125f, 1e-6f);

    // Striking: keyframes 4 and 5 on bones 1 and 4..11 only, turned to the hero.
    Hero(10.0f, 5.0f);
    zombie.attacking = true;
    zombie.attackphase = 0.5f;
    zombie.Draw(graphics);
    for (int b : {1, 4, 7, 11}) EXPECT_NEAR(Bone(models::Zombie, b), 0.45f, 1e-6f) << b;
    for (int b : {0, 2, 3, 12, 20}) EXPECT_NEAR(Bone(models::Zombie, b), 0.125f, 1e-6f) << b;
    EXPECT_EQ(zombie.direction, 5);
    EXPECT_FLOAT_EQ(log.draws.back().ry, 0.0f);

    // An invisible hero is not struck at: no attack pose, no turn.
    inlevel.InvisibilityTimer = 5;
    zombie.direction = 3;
    zombie.Draw(graphics);
    EXPECT_NEAR(Bone(models::Zombie, 1), 0.125f, 1e-6f);
    EXPECT_EQ(zombie.direction, 3);
}

TEST_F(Drawing, StunnedWarriorFlashesWhiteAndStandsStill) {
    AddWarrior(10, 10);
    tcreature& warrior = Last();
    warrior.attacking = true;
    warrior.attackphase = 1.5f; // keyframes 5 and 4, half way
    warrior.Draw(graphics);
    EXPECT_EQ(log.draws.back().model, models::Warrior);
    for (int b : {1, 5, 11}) EXPECT_NEAR(Bone(models::Warrior, b), 0.45f, 1e-6f) << b;
    EXPECT_NEAR(Bone(models::Warrior, 12), 0.0f, 1e-6f);
    EXPECT_EQ(log.draws.back().stage1Op, uint32_t(gpu::TextureOp::Disable));

    warrior.stun = 200;
    warrior.attackphase = 0.0f;
    warrior.Draw(graphics);
    const tdraw& d = log.draws.back();
    EXPECT_EQ(d.stage1Op, uint32_t(gpu::TextureOp::BlendFactorAlpha));
    EXPECT_EQ(d.textureFactor, gpu::MakeArgb(55, 255, 255, 255));
    EXPECT_EQ(device->StageStateValue(1, gpu::StageState::AlphaOp),
              uint32_t(gpu::TextureOp::BlendFactorAlpha));
    EXPECT_EQ(device->StageStateValue(1, gpu::StageState::ColourArg1),
              uint32_t(gpu::TextureArg::Current));
    EXPECT_EQ(device->StageStateValue(1, gpu::StageState::ColourArg2),
              uint32_t(gpu::TextureArg::TFactor));
    // Stunned it shows no blow, and stage 1 is off again for whatever is drawn next.
    EXPECT_NEAR(Bone(models::Warrior, 1), 0.0f, 1e-6f);
    EXPECT_EQ(device->StageStateValue(1, gpu::StageState::ColourOp),
              uint32_t(gpu::TextureOp::Disable));
}

TEST_F(Drawing, GhostIsSeeThroughInGreyLight) {
    AddGhost(10, 10);
    tcreature& ghost = Last();
    ghost.walkphase = 1.5f; // keyframes 1 and 0, half way
    ghost.Draw(graphics);
    ghost.Draw(graphics);
    const tdraw& d = log.draws.back();
    EXPECT_EQ(d.model, models::Ghost);
    EXPECT_FLOAT_EQ(d.y, -GhostBoneHeight);
    EXPECT_NEAR(Bone(models::Ghost, 3), 0.05f, 1e-6f);
    EXPECT_EQ(d.alphaBlend, 1u);
    EXPECT_EQ(d.ambient, Grey(128));
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::SrcBlend), uint32_t(gpu::Blend::SrcAlpha));
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::DestBlend),
              uint32_t(gpu::Blend::InvSrcAlpha));
    // Its texture's alpha counts for its own draw only.
    EXPECT_EQ(device->StageStateValue(0, gpu::StageState::AlphaOp),
              uint32_t(gpu::TextureOp::Modulate));
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::Ambient), Fill());
    log.DrawModel(models::Zombie, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(device->StageStateValue(0, gpu::StageState::AlphaOp),
              uint32_t(gpu::TextureOp::Disable));
}

TEST_F(Drawing, ArrowCastsAnUnlitShadowOnTheFloor) {
    AddArrow(7, 10, 10);
    tiles[10][10].floor = -0.05f;
    Last().Draw(graphics);
    ASSERT_EQ(log.draws.size(), 2u);
    EXPECT_EQ(log.draws[0].model, models::Arrow);
    EXPECT_FLOAT_EQ(log.draws[0].y, 0.0f);
    EXPECT_FLOAT_EQ(log.draws[0].ry, Pi / 2);
    EXPECT_EQ(log.draws[0].ambient, Fill());
    const tdraw& shadow = log.draws[1];
    EXPECT_EQ(shadow.model, models::ArrowShadow);
    EXPECT_FLOAT_EQ(shadow.y, -0.05f);
    EXPECT_FLOAT_EQ(shadow.ry, Pi / 2);
    EXPECT_EQ(shadow.ambient, 0u);
    EXPECT_EQ(shadow.light0.r, 0.0f);
    // The level's light is back.
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::Ambient), Fill());
    EXPECT_FLOAT_EQ(device->lights[0].diffuse.r, 200.0f / 255.0f);
    EXPECT_NEAR(device->lights[0].direction.y, -2.0f / 3, 1e-6f);

    // Over a pit there is no floor to cast it on.
    log.draws.clear();
    Pit(10, 10);
    Last().Draw(graphics);
    ASSERT_EQ(log.draws.size(), 1u);
}

TEST_F(Drawing, NewStonesGrowOutOfABrightLight) {
    AddStone(5, 10, 10);
    tcreature& stone = Last();
    stone.fade = 0.5f;
    stone.walkphase = 10.0f;
    stone.height = -2.0f;
    stone.Draw(graphics);
    const tdraw& d = log.draws.back();
    EXPECT_EQ(d.model, models::Rock);
    EXPECT_FLOAT_EQ(d.y, -1.5f);
    EXPECT_FLOAT_EQ(d.scale, 0.5f);
    // Rolling toward -row: about the column axis by -pi x 10 / 30, not about the others.
    EXPECT_FLOAT_EQ(d.rx, -Pi / 3);
    EXPECT_FLOAT_EQ(d.ry, 0.0f);
    EXPECT_FLOAT_EQ(d.rz, 0.0f);
    EXPECT_EQ(d.ambient, Grey(128)); // 127.5 rounds to the even 128
    EXPECT_FLOAT_EQ(d.light0.r, 128.0f / 255.0f);
    EXPECT_EQ(device->RenderStateValue(gpu::RenderState::Ambient), Fill());
    EXPECT_FLOAT_EQ(device->lights[0].diffuse.g, 180.0f / 255.0f);

    // Diagonal axes, and at full size the level's own light.
    stone.direction = 6;
    stone.fade = 1.0f;
    const size_t calls = device->calls.size();
    stone.Draw(graphics);
    EXPECT_FLOAT_EQ(log.draws.back().rx, -Pi / 3);
    EXPECT_FLOAT_EQ(log.draws.back().rz, Pi / 3);
    EXPECT_EQ(log.draws.back().ambient, Fill());
    for (size_t i = calls; i < device->calls.size(); ++i)
        EXPECT_EQ(device->calls[i].rfind("SetLight", 0), std::string::npos);
}

} // namespace
