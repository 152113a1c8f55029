#include "render/object3d.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>

#include "fixtures.h"
#include "platform/gpu/null_device.h"
#include "platform/gpu/recording_device.h"
#include "render/textures.h"

namespace {

using gpu::RenderState;
using gpu::StageState;

class ModelStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Models().Clear();
        Textures().Clear();
        SetModelDevice(&device, true);
        ShowMessage = [this](std::string_view text, MessageIcon) { messages.emplace_back(text); };
        fixtures::WriteSolidPng(folder.File("stone.png"), 4, 4, 0xff808080);
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        SetModelDevice(nullptr, false);
        ShowMessage = MessageToStderr;
    }
    std::string Save(const std::string& name, const ExpModel& model) {
        std::string error;
        EXPECT_TRUE(SaveExp(folder.File(name), model, error)) << error;
        return folder.File(name);
    }
    int CallsSince(size_t mark, std::string_view prefix) const {
        int count = 0;
        for (size_t i = mark; i < device.calls.size(); ++i)
            count += device.calls[i].rfind(prefix, 0) == 0;
        return count;
    }

    fixtures::ScratchFolder folder;
    gpu::RecordingDevice device;
    std::vector<std::string> messages;
};

void ExpectNear(tvector v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

constexpr uint32_t Op(gpu::TextureOp op) {
    return static_cast<uint32_t>(op);
}
constexpr uint32_t Arg(gpu::TextureArg arg) {
    return static_cast<uint32_t>(arg);
}

} // namespace

TEST_F(ModelStoreTest, DrawingSkipsEveryStateTheStoreAlreadySet) {
    t3dobjects& store = Models();
    const int wall1 =
        store.AddModel(&device, Save("wall1.exp", fixtures::ChainModel("stone.png", 1)));
    const int wall2 =
        store.AddModel(&device, Save("wall2.exp", fixtures::ChainModel("stone.png", 1)));
    ExpModel heroFile = fixtures::ChainModel("stone.png", 3);
    const int hero = store.AddSkinnedModel(&device, Save("hero.exp", heroFile));
    EXPECT_EQ(wall1, 0);
    EXPECT_EQ(wall2, 1);
    EXPECT_EQ(hero, 2);
    EXPECT_TRUE(messages.empty());
    // Both walls share the one cached picture.
    EXPECT_EQ(store.Model(wall1).texture, store.Model(wall2).texture);
    ASSERT_NE(store.Model(wall1).texture, nullptr);

    size_t mark = device.calls.size();
    store.DrawModel(wall1, false, 0, 0, 0, 0, 0, 0, 1);
    store.DrawModel(wall2, false, 1, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(CallsSince(mark, "SetTexture"), 1);
    EXPECT_EQ(CallsSince(mark, "SetStreamSource"), 2);
    EXPECT_EQ(CallsSince(mark, "SetStageState"), 4);
    EXPECT_EQ(CallsSince(mark, "SetRenderState"), 2); // blending off, once
    EXPECT_EQ(CallsSince(mark, "DrawTriangleList"), 2);
    EXPECT_EQ(device.RenderStateValue(RenderState::VertexBlend), 0u);
    EXPECT_EQ(device.StageStateValue(0, StageState::ColourOp), Op(gpu::TextureOp::Modulate));
    EXPECT_EQ(device.StageStateValue(0, StageState::ColourArg2), Arg(gpu::TextureArg::Diffuse));
    EXPECT_EQ(device.StageStateValue(0, StageState::AlphaOp), Op(gpu::TextureOp::Disable));

    // Many instances of one model in a row cost the matrix and the draw call only.
    mark = device.calls.size();
    store.DrawModel(wall2, false, 2, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(device.calls.size() - mark, 2u);
    EXPECT_EQ(CallsSince(mark, "SetWorld"), 1);
    EXPECT_EQ(device.calls.back(), "DrawTriangleList 0 1");

    // Stage settings hold for one draw, then fall back to the defaults.
    store.SetStageOps(wall2, Op(gpu::TextureOp::Add), Arg(gpu::TextureArg::Diffuse),
                      Arg(gpu::TextureArg::Diffuse), Op(gpu::TextureOp::Disable));
    mark = device.calls.size();
    store.DrawModel(wall2, false, 2, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(CallsSince(mark, "SetStageState"), 2); // colour op and argument 1 changed
    EXPECT_EQ(device.StageStateValue(0, StageState::ColourOp), Op(gpu::TextureOp::Add));
    mark = device.calls.size();
    store.DrawModel(wall2, false, 2, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(CallsSince(mark, "SetStageState"), 2);
    EXPECT_EQ(device.StageStateValue(0, StageState::ColourOp), Op(gpu::TextureOp::Modulate));

    // A skinned model turns indexed blending on with one matrix per bone; a plain one off.
    mark = device.calls.size();
    store.DrawModel(hero, false, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(CallsSince(mark, "SetWorld"), 3);
    EXPECT_EQ(CallsSince(mark, "SetTexture"), 0);
    EXPECT_EQ(device.RenderStateValue(RenderState::VertexBlend), 1u);
    EXPECT_EQ(device.RenderStateValue(RenderState::IndexedVertexBlendEnable), 1u);
    store.DrawModel(wall1, false, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(device.RenderStateValue(RenderState::VertexBlend), 0u);
    EXPECT_EQ(device.RenderStateValue(RenderState::IndexedVertexBlendEnable), 0u);

    // After someone else touched the device, the next draw sets everything again.
    store.ForgetDeviceState();
    mark = device.calls.size();
    store.DrawModel(wall1, false, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(CallsSince(mark, "SetTexture"), 1);
    EXPECT_EQ(CallsSince(mark, "SetStageState"), 4);
}

TEST_F(ModelStoreTest, BonesArePlacedAsTheSkeletonAndThePositionSay) {
    t3dobjects& store = Models();
    // Stored z offsets count twice: 0.5 puts each child 1.0 further along z.
    const int chain = store.AddSkinnedModel(
        &device, Save("chain.exp", fixtures::ChainModel("stone.png", 3, {0, 0, 0.5f})));

    store.DrawModel(chain, false, 5, 0, 0, 0, 0, 0, 1);
    ExpectNear(store.BonePosition(chain, 1), 0, 0, 1);
    ExpectNear(store.BonePosition(chain, 2), 0, 0, 2);
    const tmatrix tip = store.BoneMatrix(chain, 2);
    EXPECT_FLOAT_EQ(tip.m[3][0], 5); // the final matrix carries the position
    EXPECT_FLOAT_EQ(tip.m[3][2], 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(0, std::memcmp(&device.world[i], &store.Model(chain).boneMatrices[size_t(i)],
                                 sizeof(tmatrix)));
    ExpectNear(store.BonePosition(chain, 3), 0, 0, 0); // no such bone
    ExpectNear(store.BonePosition(chain, -1), 0, 0, 0);

    // Left-handed: a quarter turn about y takes +z to +x.
    const float quarter = std::numbers::pi_v<float> / 2;
    store.DrawModel(chain, false, 0, 0, 0, 0, quarter, 0, 1);
    ExpectNear(store.BonePosition(chain, 2), 2, 0, 0);
    store.DrawModel(chain, false, 0, 0, 0, 0, 0, 0, 2);
    ExpectNear(store.BonePosition(chain, 2), 0, 0, 4);
    store.DrawModel(chain, false, 3, 4, 5, 0, 0, 0, 0); // a new stone: collapsed to a point
    ExpectNear(store.BonePosition(chain, 2), 0, 0, 0);
    EXPECT_FLOAT_EQ(store.BoneMatrix(chain, 2).m[3][1], 4);

    // A bone turns about its own origin before its offset: the middle bone's quarter turn
    // swings the tip out to +x while the middle bone stays put.
    ExpModel bent = fixtures::ChainModel("stone.png", 3, {0, 0, 0.5f});
    bent.AddPose("straight", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    bent.AddPose("bent", {{0, 0, 0}, {0, quarter, 0}, {0, 0, 0}});
    const int arm = store.AddSkinnedModel(&device, Save("arm.exp", bent));
    store.SetPoseFromKeyframe(arm, 1);
    store.DrawModel(arm, false, 0, 0, 0, 0, 0, 0, 1);
    ExpectNear(store.BonePosition(arm, 1), 0, 0, 1);
    ExpectNear(store.BonePosition(arm, 2), 1, 0, 1);

    // The extra matrix comes after the position and only on request; the placed position
    // never sees it.
    tmatrix lift = gpu::MatrixTranslation(0, 10, 0);
    store.SetExtraMatrix(arm, lift);
    store.DrawModel(arm, true, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_FLOAT_EQ(store.BoneMatrix(arm, 2).m[3][1], 10);
    ExpectNear(store.BonePosition(arm, 2), 1, 0, 1);
    store.DrawModel(arm, false, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_FLOAT_EQ(store.BoneMatrix(arm, 2).m[3][1], 0);
}

// A headless device places bones only when asked; what it answers must be what a drawing
// device answers, bit for bit, whatever happens to the pose or the extra matrix meanwhile.
TEST_F(ModelStoreTest, HeadlessDrawsAnswerBonesExactlyAsDrawnOnes) {
    // Two branches off the root and a grandchild on each, turned every which way.
    ExpModel tree = fixtures::ChainModel("stone.png", 1, {0, 0, 0});
    tree.AddBone(0, {0.3f, 0.2f, 0.5f}, {0.1f, 0.2f, 0.3f});
    tree.AddBone(0, {-0.4f, 0.1f, 0.2f}, {-0.5f, 0.7f, 0.1f});
    tree.AddBone(1, {0.1f, -0.6f, 0.3f}, {0.9f, -0.2f, 0.4f});
    tree.AddBone(2, {0.2f, 0.2f, -0.7f}, {0.3f, 0.3f, -1.1f});
    tree.AddPose("a", {{0.1f, 0, 0}, {0, 0.4f, 0}, {0.2f, 0, 0.3f}, {0.5f, 0.1f, 0}, {0, 0, 0.8f}});
    tree.AddPose("b", {{0, 0.3f, 0}, {0.6f, 0, 0}, {0, 0.2f, 0}, {0.1f, 0.1f, 0.1f}, {0.4f, 0, 0}});
    const std::string file = Save("tree.exp", tree);
    gpu::NullDevice null;
    t3dobjects shown, headless;
    shown.SetModelDevice(&device, false);
    headless.SetModelDevice(&null, false);
    const int a = shown.AddSkinnedModel(&device, file), b = headless.AddSkinnedModel(&null, file);
    const int bones = shown.Model(a).boneCount;
    auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };

    struct tdraw {
        float t;
        bool extra;
        float x, y, z, rx, ry, rz, scale;
        int firstAsked; // the order the headless store is asked in starts here
    };
    const tdraw draws[] = {{0.25f, false, 1, 2, 3, 0.1f, 0.7f, -0.3f, 1, 4},
                           {0.5f, true, -4, 0, 9, 0, -1.2f, 0, 0.75f, 0},
                           {1.0f, true, 0, 0, 0, 2.0f, 0, 0.5f, 2, 2}};
    for (const tdraw& d : draws) {
        SCOPED_TRACE(d.t);
        const tmatrix extra = gpu::MatrixTranslation(d.t, 2 * d.t, 3);
        for (t3dobjects* store : {&shown, &headless}) {
            const int m = store == &shown ? a : b;
            store->SetPose(m, 0, -1, d.t, 0, 1);
            store->SetExtraMatrix(m, extra);
            store->DrawModel(m, d.extra, d.x, d.y, d.z, d.rx, d.ry, d.rz, d.scale);
            // What changes after the draw is for the next draw only.
            store->SetPoseFromKeyframe(m, 0);
            store->SetExtraMatrix(m, gpu::MatrixIdentity());
        }
        for (int k = 0; k < bones; ++k) {
            const int bone = (d.firstAsked + k) % bones;
            SCOPED_TRACE(bone);
            EXPECT_TRUE(same(headless.BoneMatrix(b, bone), shown.BoneMatrix(a, bone)));
            EXPECT_TRUE(same(headless.BonePosition(b, bone), shown.BonePosition(a, bone)));
        }
    }
}

TEST_F(ModelStoreTest, PosesBlendOnlyWhatTheArgumentsAllow) {
    t3dobjects& store = Models();
    ExpModel file = fixtures::ChainModel("stone.png", 12);
    file.AddPose("rest", std::vector<tvector>(12, tvector{0, 0, 0}));
    file.AddPose("reach", std::vector<tvector>(12, tvector{1, 2, 4}));
    const int body = store.AddSkinnedModel(&device, Save("body.exp", file));
    const auto rotation = [&](int bone) { return store.Model(body).bones[size_t(bone)].rotation; };
    ASSERT_EQ(store.Model(body).poses.size(), 3u); // two keyframes and the working pose

    store.SetPose(body, 11, 4, 0.25f, 0, 1); // first above last: bones 4..11
    ExpectNear(rotation(3), 0, 0, 0);
    ExpectNear(rotation(4), 0.25f, 0.5f, 1);
    ExpectNear(rotation(11), 0.25f, 0.5f, 1);

    store.SetPose(body, 0, -1, 1.5f, 0, 1); // t outside 0..1
    store.SetPose(body, 0, -1, 1, 0, 3);    // keyframe above P
    store.SetPose(body, 0, -1, 1, -1, 1);
    store.SetPose(body, 12, -1, 1, 0, 1); // no such bone
    store.SetPose(body, 0, 12, 1, 0, 1);
    ExpectNear(rotation(0), 0, 0, 0);
    ExpectNear(rotation(4), 0.25f, 0.5f, 1);

    store.SetPose(body, 0, -1, 1, 0, 1); // last -1 reaches the last bone
    ExpectNear(rotation(0), 1, 2, 4);
    ExpectNear(rotation(11), 1, 2, 4);

    // The working pose (index P) keeps what SavePose saw and blends like any keyframe.
    store.SavePose(body);
    store.SetPoseFromKeyframe(body, 0);
    ExpectNear(rotation(7), 0, 0, 0);
    store.SetPose(body, 0, -1, 0.5f, 0, 2);
    ExpectNear(rotation(7), 0.5f, 1, 2);
    store.SetPoseFromKeyframe(body, 2);
    ExpectNear(rotation(7), 1, 2, 4);
    store.SetPoseFromKeyframe(body, 3); // no such keyframe
    ExpectNear(rotation(7), 1, 2, 4);
}

TEST_F(ModelStoreTest, LoadFailuresNameTheFileAndLeaveTheStoreAsItWas) {
    t3dobjects& store = Models();
    try {
        store.AddModel(&device, folder.File("laatta9.exp"));
        FAIL() << "a missing model loaded";
    } catch (const ModelFileError& error) {
        EXPECT_NE(std::string(error.what()).find("laatta9.exp"), std::string::npos);
    }
    std::string bytes = EncodeExp(fixtures::ChainModel("stone.png", 2));
    bytes.resize(bytes.size() - 3);
    fixtures::WriteFile(folder.File("short.exp"), bytes);
    EXPECT_THROW(store.AddSkinnedModel(&device, folder.File("short.exp")), ModelFileError);
    EXPECT_EQ(store.Count(), 0);

    // A device that cannot hold the vertices stops the load without a message box.
    struct FullDevice : gpu::RecordingDevice {
        gpu::VertexBufferPtr CreateVertexBuffer(gpu::VertexFormat, const void*, int) override {
            return nullptr;
        }
    } full;
    SetModelDevice(&full, true);
    EXPECT_THROW(store.AddModel(&full, Save("ok.exp", fixtures::ChainModel("stone.png", 1))),
                 ModelDeviceError);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_TRUE(messages.empty());
    SetModelDevice(&device, true);

    // A picture that cannot be made is reported by the cache; the model loads without it.
    const int plain =
        store.AddModel(&device, Save("ghost.exp", fixtures::ChainModel("ghost.png", 1)));
    EXPECT_EQ(store.Model(plain).texture, nullptr);
    ASSERT_EQ(messages.size(), 2u);
    const std::string modelPath = folder.File("ghost.exp");
    const std::string texturePath = modelPath.substr(0, modelPath.rfind('/')) + "\\ghost.png";
    EXPECT_EQ(messages[0], "Create texture: " + texturePath + " failed!");
    store.DrawModel(plain, false, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(device.textures[0], nullptr);
    EXPECT_EQ(device.calls.back(), "DrawTriangleList 0 1");

    // Out-of-range models are ignored everywhere.
    store.DrawModel(5, false, 0, 0, 0, 0, 0, 0, 1);
    store.SetPose(-1, 0, -1, 0, 0, 0);
    ExpectNear(store.BonePosition(9, 0), 0, 0, 0);
}
