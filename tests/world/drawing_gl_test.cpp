// The hero's shadow at a ledge, drawn for real on the GL device offscreen: with a stencil
// buffer the part over the drop is cut away, without one it hangs over.
#include "drawingfixture.h"
#include "platform/gl_fixture.h"
#include "platform/message.h"
#include "world/draw/worlddraw.h"

namespace {

// A flat square of side 2 x half, facing up.
ExpModel FlatSquare(float half) {
    ExpModel model = drawing::StandInPart();
    model.vertices.clear();
    using drawing::Corner;
    model.AddTriangle(Corner(-half, 0, -half), Corner(-half, 0, half), Corner(half, 0, half));
    model.AddTriangle(Corner(-half, 0, -half), Corner(half, 0, half), Corner(half, 0, -half));
    return model;
}

class ShadowGlTest : public GlTest {
  protected:
    ScratchFolder folder;
    TDGraphics graphics;
    td2dsprites sprites;
    std::map<const gpu::VertexBuffer*, int> modelOf;

    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || !device) return;
        ResetWorldTables();
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        std::string error;
        ASSERT_TRUE(SaveExp("shadow.exp", FlatSquare(1.0f), error)) << error;
        ASSERT_TRUE(SaveExp("mask.exp", FlatSquare(0.5f), error)) << error;
        SetModelDevice(device.get(), true);
        drawing::LoadStandIns(device.get(), sprites, modelOf,
                              {{models::Shadow, "shadow.exp"}, {models::Mask, "mask.exp"}});
        // The hero stands on a ledge at height 1; the cell to his right lies at 0.
        for (int c = 8; c <= 12; ++c)
            for (int r = 8; r <= 12; ++r) tiles[c][r].floor = 1.0f;
        tiles[11][10].floor = 0.0f;
        hero = {10.2f, 10.0f, 1.0f, 0.0f};
    }
    void TearDown() override {
        Models().Clear();
        Textures().Clear();
        SetModelDevice(nullptr, false);
        ShowMessage = MessageToStderr;
        graphics.Release();
        ResetWorldTables();
        GlTest::TearDown();
    }

    // Draws the shadow alone, lit white on black, and keeps the picture.
    void DrawShadow(int depthFormat) {
        graphics.UseDevice(std::move(device), depthFormat);
        gpu::Device& d = *graphics.Device();
        Models().ForgetDeviceState();
        d.SetRenderState(gpu::RenderState::CullMode, static_cast<uint32_t>(gpu::Cull::None));
        graphics.Clear(0, 0, 0);
        graphics.BeginFrame(1.0f, 1.0f);
        graphics.SetCamera(10.2f, 9.0f, 7.0f, 10.2f, 0.0f, 10.0f, PlayNear, PlayFar);
        graphics.SetDirectionalLight(0, 255, 255, 255, 0.0f, -1.0f, 0.0f);
        graphics.SetAmbient(0, 0, 0);
        DrawHeroShadow(graphics);
        d.EndScene();
        d.Present();
        int w = 0, h = 0;
        ASSERT_TRUE(d.ReadFrontBuffer(pixels, w, h));
    }
    // The picture's colour where a point of the ledge's surface lands.
    uint32_t At(float column, float row) const {
        const gpu::Matrix view = gpu::MatrixLookAtLH({10.2f, 9, 7}, {10.2f, 0, 10}, {0, 1, 0});
        const gpu::Matrix projection = gpu::MatrixPerspectiveFovLH(Pi / 4, 1.0f, PlayNear, PlayFar);
        const gpu::Vector3 ndc =
            gpu::TransformCoord({column, 1.01f, row}, gpu::MatrixMultiply(view, projection));
        const int x = static_cast<int>((ndc.x + 1) / 2 * kSize);
        const int y = static_cast<int>((1 - ndc.y) / 2 * kSize);
        return pixels[size_t(y) * kSize + size_t(x)] & 0xFFFFFF;
    }
};

TEST_F(ShadowGlTest, ShadowIsCutWhereTheFloorDropsAway) {
    DrawShadow(kDepthD24S8);
    EXPECT_EQ(At(9.8f, 10.0f), 0xFFFFFFu) << "over the hero's own floor";
    EXPECT_EQ(At(10.85f, 10.0f), 0u) << "over the drop";
    EXPECT_EQ(At(10.85f, 10.7f), 0xFFFFFFu) << "over the neighbour at the same height";
}

TEST_F(ShadowGlTest, WithoutStencilTheShadowHangsOverTheDrop) {
    DrawShadow(kDepthD24X8);
    EXPECT_EQ(At(9.8f, 10.0f), 0xFFFFFFu);
    EXPECT_EQ(At(10.85f, 10.0f), 0xFFFFFFu);
}

} // namespace
