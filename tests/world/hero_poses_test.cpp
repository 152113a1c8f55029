// The hero model's poses through a frame: standing blend, walk cycle with its footsteps,
// the jump pose, the rifle's own set and the edge wobble. The model is a tiny one whose pose
// k turns every bone by k about x, so a bone's angle tells which poses were blended.
#include "world/playfield.h"

#include "platform/gpu/recording_device.h"
#include "platform/message.h"
#include "render/assetorder.h"
#include "render/object3d.h"
#include "render/textures.h"
#include "support/scratch_folder.h"

using playfield::tmap;
using playfield::tplay;

namespace {

constexpr int BoneCount = 3;
constexpr int KeyframeCount = 17; // 0..16

struct HeroPoses : ::testing::Test {
    ScratchFolder folder;
    gpu::RecordingDevice device;

    void SetUp() override {
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        SetModelDevice(&device, true);
        ExpModel model;
        model.texture = "none.png";
        int parent = -1;
        for (int b = 0; b < BoneCount; ++b) parent = model.AddBone(parent, {0, 0.5f, 0});
        model.AddTriangle(ExpVertex{{0, 0, 0}}, ExpVertex{{0, 1, 0}}, ExpVertex{{1, 0, 0}});
        for (int k = 0; k < KeyframeCount; ++k)
            model.AddPose("pose" + std::to_string(k),
                          std::vector<tvector>(BoneCount, tvector{static_cast<float>(k), 0, 0}));
        std::string error;
        ASSERT_TRUE(SaveExp("hero.exp", model, error)) << error;
        ASSERT_EQ(Models().AddSkinnedModel(&device, "hero.exp"), models::Hero);
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        ShowMessage = MessageToStderr;
        SetModelDevice(nullptr, false);
    }
    static float Bone(int b) { return Models().Model(models::Hero).bones[b].rotation.x; }
};

TEST_F(HeroPoses, StandingBlendsFromTheSnapshotToPoseFour) {
    tplay play(tmap({"H"}, 25, 25));
    play.Frame();
    EXPECT_NEAR(Bone(0), 0.2f * 4, 1e-4f); // from the file's rest angles (0)
    play.Frames(4);
    EXPECT_NEAR(Bone(2), 4.0f, 1e-4f);
    play.Frames(3);
    EXPECT_NEAR(Bone(2), 4.0f, 1e-4f);
}

TEST_F(HeroPoses, WalkCycleWithFootstepsAndTheRiflesOwnPoses) {
    tplay play(tmap({"H"}, 25, 10), "0: 200\n");
    play.Frame();
    EXPECT_NEAR(Bone(0), 0.2f, 1e-4f); // pose 0 toward 1
    play.Frames(6);
    EXPECT_NEAR(Bone(1), 1.4f, 1e-3f);
    EXPECT_EQ(play.sounds.Count(sfx::FirstStep), 0);
    play.Frames(3); // phase 2: a footstep
    EXPECT_EQ(play.sounds.Count(sfx::FirstStep), 1);
    play.Frames(11); // round to 0: the second
    EXPECT_EQ(play.sounds.Count(sfx::FirstStep), 2);

    tplay rifle(tmap({"H"}, 25, 10), "0: 200\n");
    Player().Gun = 3;
    rifle.Frame();
    EXPECT_NEAR(Bone(0), 10.2f, 1e-4f); // pose 10 toward 11
}

TEST_F(HeroPoses, JumpPoseInTheAirAndTheWobbleOnTheUpperBody) {
    tplay play(tmap({"H"}, 25, 25), "0: 57\n1:\n");
    play.Frames(2);
    EXPECT_EQ(Bone(0), 5.0f);
    EXPECT_EQ(Bone(2), 5.0f);

    tplay edge(tmap({"_", ".", "H"}, 25, 20), "0: 200\n");
    for (int i = 0; i < 20 && inlevel.herostate.EdgeWobble == 0; ++i) edge.Frame();
    ASSERT_EQ(inlevel.herostate.EdgeWobble, 9);
    // Above 6: pose 16 blended toward pose 4 by (9 - 6) / 4.
    EXPECT_NEAR(Bone(1), 0.25f * 16 + 0.75f * 4, 1e-4f);
    EXPECT_NEAR(Bone(2), 0.25f * 16 + 0.75f * 4, 1e-4f);
    EXPECT_GT(std::fabs(Bone(0) - Bone(1)), 0.1f);
    edge.Frames(5); // 4: pose 4 toward 16 by 4 / 6
    EXPECT_NEAR(Bone(1), 4.0f + (16.0f - 4.0f) * 4.0f / 6.0f, 1e-4f);
}

} // namespace
