// Repeated state costs nothing: the shadow state notices equal values, and the GL device
// sends only what changed between draws.
#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "platform/gpu/state_shadow.h"
#include "platform/gpu/transform.h"

using namespace gpu;

namespace {
class FakeTexture : public Texture {
  public:
    int Width() const override { return 1; }
    int Height() const override { return 1; }
};
} // namespace

TEST(StateShadow, StartsAtTheDefaultsAndMarksOnlyRealChanges) {
    StateShadow s;
    EXPECT_EQ(s.Get(RenderState::CullMode), uint32_t(Cull::Ccw));
    EXPECT_EQ(s.Get(RenderState::ZFunc), uint32_t(Compare::LessEqual));
    EXPECT_EQ(s.Get(RenderState::TextureFactor), 0xFFFFFFFFu);
    EXPECT_EQ(s.Get(0, StageState::ColourOp), uint32_t(TextureOp::Modulate));
    EXPECT_EQ(s.Get(0, StageState::AlphaOp), uint32_t(TextureOp::SelectArg1));
    EXPECT_EQ(s.Get(1, StageState::ColourOp), uint32_t(TextureOp::Disable));

    s.dirty = 0;
    s.MarkPaletteClean();
    EXPECT_FALSE(s.SetRenderState(RenderState::ZEnable, 1));      // already 1
    EXPECT_FALSE(s.SetRenderState(RenderState::DitherEnable, 1)); // accepted, nothing to send
    EXPECT_FALSE(s.SetRenderState(RenderState(99), 5));           // unknown: ignored
    EXPECT_EQ(s.dirty, 0u);
    EXPECT_TRUE(s.SetRenderState(RenderState::AlphaBlendEnable, 1));
    EXPECT_EQ(s.dirty, uint32_t(kDirtyRaster));
    EXPECT_TRUE(s.SetRenderState(RenderState::VertexBlend, 1));
    EXPECT_EQ(s.dirty, uint32_t(kDirtyRaster | kDirtyBlendMode));

    // World matrices collect into one range; setting an equal one adds nothing.
    EXPECT_TRUE(s.SetWorld(5, MatrixTranslation(1, 2, 3)));
    EXPECT_TRUE(s.SetWorld(2, MatrixTranslation(1, 2, 3)));
    EXPECT_FALSE(s.SetWorld(7, MatrixIdentity()));
    EXPECT_EQ(s.paletteFirst, 2);
    EXPECT_EQ(s.paletteLast, 5);
    EXPECT_FALSE(s.SetWorld(kMaxWorldMatrices, MatrixIdentity()));
    // A new view refreshes every world matrix in use (0..7 so far) and the lights.
    s.MarkPaletteClean();
    s.dirty = 0;
    EXPECT_TRUE(s.SetView(MatrixTranslation(0, 0, 5)));
    EXPECT_EQ(s.paletteFirst, 0);
    EXPECT_EQ(s.paletteLast, 7);
    EXPECT_EQ(s.dirty, uint32_t(kDirtyUniforms));
}

TEST(StateShadow, StageCascadeStopsAtAMissingTexture) {
    StateShadow s;
    const FakeTexture texture;
    const auto* someTexture = &texture;
    s.SetStageState(1, StageState::ColourOp, uint32_t(TextureOp::BlendFactorAlpha));
    s.SetStageState(1, StageState::ColourArg1, uint32_t(TextureArg::Current));
    s.SetStageState(1, StageState::ColourArg2, uint32_t(TextureArg::TFactor));
    // Stage 0 modulates a texture that is not there: it and stage 1 are off.
    EXPECT_EQ(s.EffectiveColourOp(0), TextureOp::Disable);
    EXPECT_EQ(s.EffectiveColourOp(1), TextureOp::Disable);
    s.SetTexture(0, someTexture);
    EXPECT_EQ(s.EffectiveColourOp(0), TextureOp::Modulate);
    EXPECT_EQ(s.EffectiveColourOp(1), TextureOp::BlendFactorAlpha);
    // Glow reads no texture, so it works without one.
    s.SetTexture(0, nullptr);
    s.SetStageState(0, StageState::ColourOp, uint32_t(TextureOp::Add));
    s.SetStageState(0, StageState::ColourArg1, uint32_t(TextureArg::Diffuse));
    s.SetStageState(0, StageState::ColourArg2, uint32_t(TextureArg::Diffuse));
    EXPECT_EQ(s.EffectiveColourOp(0), TextureOp::Add);
    // A stage reading only its first argument does not care what the second names.
    s.SetStageState(0, StageState::ColourOp, uint32_t(TextureOp::SelectArg1));
    s.SetStageState(0, StageState::ColourArg2, uint32_t(TextureArg::Texture));
    EXPECT_EQ(s.EffectiveColourOp(0), TextureOp::SelectArg1);
    // A texture being destroyed is forgotten, whatever address the next one gets.
    s.SetTexture(1, someTexture);
    s.dirty = 0;
    s.ForgetTexture(someTexture);
    EXPECT_EQ(s.textures[1], nullptr);
    EXPECT_NE(s.dirty & kDirtyTextures, 0u);
}

// Counting GL calls: a repeated draw with nothing changed costs the draw call alone.
TEST_F(GlTest, UnchangedStateSendsNothingButTheDraw) {
    StandardCamera();
    const auto square = Square(-1, -1, 1, 1);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    const uint32_t white = 0xFFFFFFFF;
    const TexturePtr texture = device->CreateTexture(1, 1, &white);
    device->SetTexture(0, texture.get());
    device->SetStreamSource(buffer.get());
    device->DrawTriangleList(0, 2);

    auto callsFor = [&](auto&& step) {
        const uint64_t before = device->Stats().backendCalls;
        step();
        return device->Stats().backendCalls - before;
    };
    EXPECT_EQ(callsFor([&] { device->DrawTriangleList(0, 2); }), 1u);
    // The same values again: still nothing to send.
    EXPECT_EQ(callsFor([&] {
                  device->SetTexture(0, texture.get());
                  device->SetRenderState(RenderState::ZEnable, 1);
                  device->SetStageState(0, StageState::ColourOp, uint32_t(TextureOp::Modulate));
                  device->SetWorld(0, MatrixIdentity());
                  device->SetView(View());
                  device->DrawTriangleList(0, 2);
              }),
              1u);
    // A new world matrix: one matrix upload, then the draw.
    EXPECT_EQ(callsFor([&] {
                  device->SetWorld(0, MatrixTranslation(0.1f, 0, 0));
                  device->DrawTriangleList(0, 2);
              }),
              2u);
    // Switching blending on and back off before the next draw sends nothing.
    EXPECT_EQ(callsFor([&] {
                  device->SetRenderState(RenderState::AlphaBlendEnable, 1);
                  device->SetRenderState(RenderState::AlphaBlendEnable, 0);
                  device->DrawTriangleList(0, 2);
              }),
              1u);
    // Blending on: one enable and one blend function.
    EXPECT_EQ(callsFor([&] {
                  device->SetRenderState(RenderState::AlphaBlendEnable, 1);
                  device->SetRenderState(RenderState::SrcBlend, uint32_t(Blend::SrcAlpha));
                  device->DrawTriangleList(0, 2);
              }),
              3u);
}
