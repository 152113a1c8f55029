// Models drawn by the store through the OpenGL device: the vertices reach the screen where
// the bone matrices put them, for plain and skinned models alike.
#include <gtest/gtest.h>
#include <numbers>

#include "fixtures.h"
#include "platform/gl_fixture.h"
#include "render/object3d.h"
#include "render/textures.h"

namespace {

// Two 8 x 8 squares in the xy plane, one following bone 0 and one bone 1; bone 1 sits 20
// to the right of bone 0 (its stored z stays 0, so the doubling does not show here).
ExpModel TwoSquares() {
    ExpModel model;
    model.texture = "red.png";
    const int root = model.AddBone(-1, {0, 0, 0});
    const int arm = model.AddBone(root, {20, 0, 0});
    model.AddPose("straight", {{0, 0, 0}, {0, 0, 0}});
    model.AddPose("bent", {{0, 0, 0}, {0, 0, std::numbers::pi_v<float> / 2}});
    for (int bone : {root, arm}) {
        using fixtures::Vertex;
        model.AddTriangle(Vertex(0, 0, 0, bone), Vertex(0, 8, 0, bone), Vertex(8, 0, 0, bone));
        model.AddTriangle(Vertex(8, 0, 0, bone), Vertex(0, 8, 0, bone), Vertex(8, 8, 0, bone));
    }
    return model;
}

class GlModelsTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || !device) return;
        Models().Clear();
        Textures().Clear();
        SetModelDevice(device.get(), true);
        fixtures::WriteSolidPng(folder.File("red.png"), 2, 2, 0xffff0000);
        std::string saveError;
        ASSERT_TRUE(SaveExp(folder.File("squares.exp"), TwoSquares(), saveError)) << saveError;
        // World units are pixels with y up: x 0..kSize left to right, y bottom to top.
        device->SetView(gpu::MatrixIdentity());
        device->SetProjection(gpu::MatrixOrthoOffCenterLH(0, kSize, 0, kSize, 0, 1));
        device->SetRenderState(gpu::RenderState::Lighting, 0);
        device->SetRenderState(gpu::RenderState::CullMode, uint32_t(gpu::Cull::None));
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        SetModelDevice(nullptr, false);
        GlTest::TearDown();
    }
    // Draws the model at (10, 10) and tells which of the sample columns are red.
    std::vector<bool> RedAt(int model, const std::vector<int>& xs) {
        device->Clear(gpu::ClearTarget | gpu::ClearZBuffer, 0xff000000, 1, 0);
        device->BeginScene();
        Models().DrawModel(model, false, 10, 10, 0.5f, 0, 0, 0, 1);
        device->EndScene();
        Show();
        std::vector<bool> red;
        const int row = kSize - 1 - 14; // world y 14, inside both squares
        for (int x : xs) red.push_back(Pixel(x, row) == 0xff0000);
        return red;
    }

    fixtures::ScratchFolder folder;
};

} // namespace

TEST_F(GlModelsTest, SkinnedVerticesFollowTheirBonesPlainOnesTheFirst) {
    const int skinned = Models().AddSkinnedModel(device.get(), folder.File("squares.exp"));
    const int plain = Models().AddModel(device.get(), folder.File("squares.exp"));
    // Sample columns: inside the first square, between, inside the turned square, inside
    // the straight second square.
    const std::vector<int> xs = {14, 21, 26, 34};

    Models().SetPoseFromKeyframe(skinned, 0);
    EXPECT_EQ(RedAt(skinned, xs), (std::vector<bool>{true, false, false, true}));
    // A quarter turn of bone 1 about its own origin swings its square to x 22..30.
    Models().SetPoseFromKeyframe(skinned, 1);
    EXPECT_EQ(RedAt(skinned, xs), (std::vector<bool>{true, false, true, false}));
    // The plain model moves as one piece with bone 0: both squares on top of each other.
    EXPECT_EQ(RedAt(plain, xs), (std::vector<bool>{true, false, false, false}));
}
