// The GL device draws what the matrices, lights and states say: scenes read back pixel by pixel.
#include <cmath>

#include "gl_fixture.h"

using namespace gpu;

namespace {

// A 2 x 2 picture: red, green on top; blue, white below.
TexturePtr Quadrants(Device& device) {
    const uint32_t texels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    return device.CreateTexture(2, 2, texels);
}

TexturePtr Plain(Device& device, uint32_t argb) {
    return device.CreateTexture(1, 1, &argb);
}

// A white light shining straight onto the squares, on a grey material of `diffuse`.
void SunOnGrey(Device& device, float diffuse) {
    Light sun;
    sun.direction = {0, 0, 1};
    sun.diffuse = {1, 1, 1, 0};
    device.SetLight(0, sun);
    device.LightEnable(0, true);
    Material m;
    m.diffuse = {diffuse, diffuse, diffuse, 1};
    device.SetMaterial(m);
}

void Draw(Device& device, const VertexBuffer& buffer) {
    device.SetStreamSource(&buffer);
    device.DrawTriangleList(0, buffer.VertexCount() / 3);
}

} // namespace

TEST_F(GlTest, LitTexturedSquareLandsWhereTheMatricesSay) {
    StandardCamera();
    const Matrix world = MatrixTranslation(0.5f, 0.25f, 0);
    device->SetWorld(0, world);
    Light sun;
    sun.type = LightType::Directional;
    sun.diffuse = {1, 1, 1, 0};
    sun.direction = {0, 0, 1}; // shining straight onto the square
    device->SetLight(0, sun);
    device->LightEnable(0, true);
    Material m;
    m.diffuse = {0.5f, 0.5f, 0.5f, 1};
    m.ambient = {1, 1, 1, 1};
    device->SetMaterial(m);
    device->SetRenderState(RenderState::Ambient, MakeArgb(0, 64, 64, 64));
    const TexturePtr texture = Quadrants(*device);
    device->SetTexture(0, texture.get());
    const auto square = Square(-1, -1, 1, 1);
    auto buffer =
        device->CreateVertexBuffer(VertexFormat::Plain, square.data(), int(square.size()));
    ASSERT_TRUE(buffer);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF102030, 1, 0);
    Draw(*device, *buffer);
    Show();

    float left, top, right, bottom;
    ScreenOf({-1, 1, 0}, world, left, top);
    ScreenOf({1, -1, 0}, world, right, bottom);
    // The square is off-centre to the right and up, as the world matrix moved it.
    EXPECT_GT(left, kSize / 2 - 20);
    EXPECT_LT(top, kSize / 2 - 20);
    // lit = ambient 64/255 + diffuse 0.5 = 0.751; each quadrant shows its texel times that.
    const int lit = int(std::lround((64 / 255.0 + 0.5) * 255));
    const int qx0 = int(left) + 3, qx1 = int(right) - 3, qy0 = int(top) + 3, qy1 = int(bottom) - 3;
    EXPECT_RGB_NEAR(Pixel(qx0, qy0), lit, 0, 0, 1);
    EXPECT_RGB_NEAR(Pixel(qx1, qy0), 0, lit, 0, 1);
    EXPECT_RGB_NEAR(Pixel(qx0, qy1), 0, 0, lit, 1);
    EXPECT_RGB_NEAR(Pixel(qx1, qy1), lit, lit, lit, 1);
    // Just outside every edge: the clear colour.
    EXPECT_EQ(Pixel(int(left) - 2, (qy0 + qy1) / 2), 0x102030u);
    EXPECT_EQ(Pixel(int(right) + 2, (qy0 + qy1) / 2), 0x102030u);
    EXPECT_EQ(Pixel((qx0 + qx1) / 2, int(top) - 2), 0x102030u);
    EXPECT_EQ(Pixel((qx0 + qx1) / 2, int(bottom) + 2), 0x102030u);
}

TEST_F(GlTest, CounterClockwiseTrianglesAreCulledUnlessCullingIsOff) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    auto square = Square(-1, -1, 1, 1);
    std::swap(square[1], square[2]); // both triangles now counter-clockwise on screen
    std::swap(square[4], square[5]);
    auto buffer =
        device->CreateVertexBuffer(VertexFormat::Plain, square.data(), int(square.size()));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0u);

    device->SetRenderState(RenderState::CullMode, uint32_t(Cull::None));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0xFFFFFFu); // unlit and untextured: white
}

TEST_F(GlTest, NearerSurfaceWinsTheDepthTest) {
    // Both ways of reaching GL's depth range: glClipControl, and the shader's own conversion.
    for (bool clipControl : {true, false}) {
        SCOPED_TRACE(clipControl);
        device.reset();
        ASSERT_TRUE(Open(24, 8, kSize, kSize, clipControl));
        StandardCamera();
        device->SetRenderState(RenderState::Lighting, 0);
        const TexturePtr red = Plain(*device, 0xFFFF0000), blue = Plain(*device, 0xFF0000FF);
        // Near and far planes 1 and 100; the squares at distances 4 and 6, and one beyond far.
        const auto nearSquare = Square(-1, -1, 1, 1, -1), farSquare = Square(-2, -2, 2, 2, 1);
        const auto tooFar = Square(-60, -60, 60, 60, 96); // would cover the whole picture
        auto nearBuffer = device->CreateVertexBuffer(VertexFormat::Plain, nearSquare.data(), 6);
        auto farBuffer = device->CreateVertexBuffer(VertexFormat::Plain, farSquare.data(), 6);
        auto tooFarBuffer = device->CreateVertexBuffer(VertexFormat::Plain, tooFar.data(), 6);
        device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
        device->SetTexture(0, red.get());
        Draw(*device, *nearBuffer);
        device->SetTexture(0, blue.get()); // drawn later but further away
        Draw(*device, *farBuffer);
        Draw(*device, *tooFarBuffer);
        Show();
        EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0xFF0000u);
        EXPECT_EQ(Pixel(20, 20), 0x0000FFu); // only the far square reaches here
        EXPECT_EQ(Pixel(4, 4), 0u);          // beyond the far plane: clipped
    }
}

TEST_F(GlTest, SkinnedMeshFollowsItsTwoBoneMatrices) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    // Left square follows bone 0, right square bone 1; both start at the origin.
    std::vector<SkinnedVertex> vertices;
    for (uint8_t bone : {0, 1})
        for (const PlainVertex& p : Square(-0.5f, -0.5f, 0.5f, 0.5f))
            vertices.push_back({p.x, p.y, p.z, 1.0f, {bone, 0, 0, 0}, p.nx, p.ny, p.nz, p.u, p.v});
    auto buffer =
        device->CreateVertexBuffer(VertexFormat::Skinned, vertices.data(), int(vertices.size()));
    ASSERT_TRUE(buffer);
    const Matrix bone0 = MatrixTranslation(-1.2f, 0, 0), bone1 = MatrixTranslation(1.2f, 1.0f, 0);
    device->SetWorld(0, bone0);
    device->SetWorld(1, bone1);
    device->SetRenderState(RenderState::VertexBlend, 1);
    device->SetRenderState(RenderState::IndexedVertexBlendEnable, 1);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    float x0, y0, x1, y1;
    ScreenOf({0, 0, 0}, bone0, x0, y0);
    ScreenOf({0, 0, 0}, bone1, x1, y1);
    EXPECT_EQ(Pixel(int(x0), int(y0)), 0xFFFFFFu);
    EXPECT_EQ(Pixel(int(x1), int(y1)), 0xFFFFFFu);
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0u); // nothing stayed at the origin

    // Without vertex blending every vertex follows world matrix 0, and with it again the
    // bones: each way the draw takes the transform it needs, with nothing else changed.
    for (const uint32_t blend : {0u, 1u}) {
        device->SetRenderState(RenderState::VertexBlend, blend);
        device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
        Draw(*device, *buffer);
        Show();
        EXPECT_EQ(Pixel(int(x0), int(y0)), 0xFFFFFFu);
        EXPECT_EQ(Pixel(int(x1), int(y1)), blend ? 0xFFFFFFu : 0u) << "blend " << blend;
    }
}

TEST_F(GlTest, OneWeightBlendsBetweenTheTwoMatrices) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    device->SetRenderState(RenderState::CullMode, uint32_t(Cull::None));
    // Weight 0.25 on bone 0 (moved +1) and 0.75 on bone 1 (moved -1): the square lands at -0.5.
    std::vector<SkinnedVertex> vertices;
    for (const PlainVertex& p : Square(-0.25f, -0.25f, 0.25f, 0.25f))
        vertices.push_back({p.x, p.y, p.z, 0.25f, {0, 1, 0, 0}, p.nx, p.ny, p.nz, p.u, p.v});
    auto buffer = device->CreateVertexBuffer(VertexFormat::Skinned, vertices.data(), 6);
    device->SetWorld(0, MatrixTranslation(1, 0, 0));
    device->SetWorld(1, MatrixTranslation(-1, 0, 0));
    device->SetRenderState(RenderState::VertexBlend, 1);
    device->SetRenderState(RenderState::IndexedVertexBlendEnable, 1);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    float x, y, xWrong, yWrong;
    ScreenOf({-0.5f, 0, 0}, MatrixIdentity(), x, y);
    ScreenOf({0.5f, 0, 0}, MatrixIdentity(), xWrong, yWrong);
    EXPECT_EQ(Pixel(int(x), int(y)), 0xFFFFFFu);
    EXPECT_EQ(Pixel(int(xWrong), int(yWrong)), 0u);
}

TEST_F(GlTest, PointLightReachesOnlyWhatIsInRange) {
    StandardCamera();
    // Ambient part only, at full strength within range: in range shows exactly the light's
    // ambient colour, beyond range nothing at all.
    Light lamp;
    lamp.type = LightType::Point;
    lamp.diffuse = {0, 0, 0, 0};
    lamp.ambient = {0.5f, 0.5f, 0.5f, 0};
    lamp.position = {-2, 0, -0.5f};
    lamp.range = 2.0f;
    lamp.attenuation0 = 1, lamp.attenuation1 = 0, lamp.attenuation2 = 0;
    device->SetLight(1, lamp);
    device->LightEnable(1, true);
    Material m;
    m.ambient = {1, 1, 1, 1};
    device->SetMaterial(m);
    const auto nearSquare = Square(-2.5f, -0.5f, -1.5f, 0.5f),
               farSquare = Square(1.5f, -0.5f, 2.5f, 0.5f);
    auto nearBuffer = device->CreateVertexBuffer(VertexFormat::Plain, nearSquare.data(), 6);
    auto farBuffer = device->CreateVertexBuffer(VertexFormat::Plain, farSquare.data(), 6);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF0000FF, 1, 0);
    Draw(*device, *nearBuffer);
    Draw(*device, *farBuffer);
    Show();
    float xNear, yNear, xFar, yFar;
    ScreenOf({-2, 0, 0}, MatrixIdentity(), xNear, yNear);
    ScreenOf({2, 0, 0}, MatrixIdentity(), xFar, yFar);
    EXPECT_RGB_NEAR(Pixel(int(xNear), int(yNear)), 128, 128, 128, 1);
    EXPECT_EQ(Pixel(int(xFar), int(yFar)), 0u); // drawn, but black

    // The game's point light: diffuse only, falling off as 1 / distance.
    lamp.diffuse = {1, 1, 1, 0};
    lamp.ambient = {0, 0, 0, 0};
    lamp.attenuation0 = 0, lamp.attenuation1 = 1;
    lamp.position = {-2, 0, -1};
    lamp.range = 1.2f;
    device->SetLight(1, lamp);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF0000FF, 1, 0);
    Draw(*device, *nearBuffer);
    Show();
    // Every corner is sqrt(0.25+0.25+1) = 1.22 away: beyond 1.2, so the square stays black.
    EXPECT_EQ(Pixel(int(xNear), int(yNear)), 0u);
    lamp.range = 1.3f;
    device->SetLight(1, lamp);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF0000FF, 1, 0);
    Draw(*device, *nearBuffer);
    Show();
    // Now lit: N.L = 1/1.22 and attenuation 1/1.22 at each corner: 0.667.
    EXPECT_RGB_NEAR(Pixel(int(xNear), int(yNear)), 170, 170, 170, 1);
}

TEST_F(GlTest, StageOneTintAndGlowChangeColoursAsWritten) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    const TexturePtr white = Plain(*device, 0xFFFFFFFF);
    device->SetTexture(0, white.get());
    const auto square = Square(-1, -1, 1, 1);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    // Tint a quarter of the way towards red: 0.753 x white + 0.247 x red.
    device->SetRenderState(RenderState::TextureFactor, 0xC0FF0000);
    device->SetStageState(1, StageState::ColourOp, uint32_t(TextureOp::BlendFactorAlpha));
    device->SetStageState(1, StageState::ColourArg1, uint32_t(TextureArg::Current));
    device->SetStageState(1, StageState::ColourArg2, uint32_t(TextureArg::TFactor));
    device->SetStageState(1, StageState::AlphaOp, uint32_t(TextureOp::BlendFactorAlpha));
    device->SetStageState(1, StageState::AlphaArg1, uint32_t(TextureArg::Current));
    device->SetStageState(1, StageState::AlphaArg2, uint32_t(TextureArg::TFactor));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 255, 192, 192, 1);
    device->SetStageState(1, StageState::ColourOp, uint32_t(TextureOp::Disable));
    device->SetStageState(1, StageState::AlphaOp, uint32_t(TextureOp::Disable));

    // Glow: twice the lit colour, saturating.
    device->SetRenderState(RenderState::Lighting, 1);
    SunOnGrey(*device, 0.3f);
    device->SetTexture(0, nullptr);
    device->SetStageState(0, StageState::ColourOp, uint32_t(TextureOp::Add));
    device->SetStageState(0, StageState::ColourArg1, uint32_t(TextureArg::Diffuse));
    device->SetStageState(0, StageState::ColourArg2, uint32_t(TextureArg::Diffuse));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 153, 153, 153, 1);
    SunOnGrey(*device, 0.75f);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 255, 255, 255, 0);

    // Modulating with a texture that is not bound falls back to the lit colour.
    device->SetStageState(0, StageState::ColourOp, uint32_t(TextureOp::Modulate));
    device->SetStageState(0, StageState::ColourArg1, uint32_t(TextureArg::Texture));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 191, 191, 191, 1);
}

// A texture whose texels are all alike is not fetched: its colour goes to the shader as a
// value. Lit squares side by side, one with such a texture and one whose texels differ
// only in alpha (fetched), must come out alike, in either order of drawing.
TEST_F(GlTest, ATextureOfOneColourDrawsAsItsTexelsWould) {
    StandardCamera();
    SunOnGrey(*device, 0.6f);
    const uint32_t alike[] = {0xFF5A3C1E, 0xFF5A3C1E, 0xFF5A3C1E, 0xFF5A3C1E};
    const uint32_t fetched[] = {0xFF5A3C1E, 0xFE5A3C1E, 0xFF5A3C1E, 0xFF5A3C1E};
    const TexturePtr one = device->CreateTexture(2, 2, alike);
    const TexturePtr many = device->CreateTexture(2, 2, fetched);
    const auto left = Square(-1.8f, -0.5f, -0.2f, 0.5f), right = Square(0.2f, -0.5f, 1.8f, 0.5f);
    auto leftBuffer = device->CreateVertexBuffer(VertexFormat::Plain, left.data(), 6);
    auto rightBuffer = device->CreateVertexBuffer(VertexFormat::Plain, right.data(), 6);
    float x0, x1, y;
    ScreenOf({-1, 0, 0}, MatrixIdentity(), x0, y);
    ScreenOf({1, 0, 0}, MatrixIdentity(), x1, y);
    const int r = int(std::lround(0x5A * 0.6)), g = int(std::lround(0x3C * 0.6)),
              b = int(std::lround(0x1E * 0.6));
    for (const bool oneFirst : {true, false}) {
        SCOPED_TRACE(oneFirst ? "one colour first" : "fetched first");
        device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
        device->SetTexture(0, (oneFirst ? one : many).get());
        Draw(*device, *leftBuffer);
        device->SetTexture(0, (oneFirst ? many : one).get());
        Draw(*device, *rightBuffer);
        Show();
        EXPECT_RGB_NEAR(Pixel(int(x0), int(y)), r, g, b, 1);
        EXPECT_EQ(Pixel(int(x0), int(y)), Pixel(int(x1), int(y)));
    }
}

TEST_F(GlTest, BlendFactorsMixWithWhatIsBehind) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    const TexturePtr halfRed = Plain(*device, 0x80FF0000);
    device->SetTexture(0, halfRed.get());
    device->SetStageState(0, StageState::AlphaOp, uint32_t(TextureOp::Modulate));
    device->SetStageState(0, StageState::AlphaArg1, uint32_t(TextureArg::Texture));
    device->SetStageState(0, StageState::AlphaArg2, uint32_t(TextureArg::Diffuse));
    const auto square = Square(-1, -1, 1, 1);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(RenderState::SrcBlend, uint32_t(Blend::SrcAlpha));
    device->SetRenderState(RenderState::DestBlend, uint32_t(Blend::InvSrcAlpha));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF0000FF, 1, 0);
    Draw(*device, *buffer);
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 128, 0, 127, 1);

    // Invisibility: the colour itself is the opacity.
    device->SetRenderState(RenderState::SrcBlend, uint32_t(Blend::SrcColour));
    device->SetRenderState(RenderState::DestBlend, uint32_t(Blend::InvSrcColour));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF808080, 1, 0);
    Draw(*device, *buffer);
    Show();
    // red: 1 x 1 + 0.5 x 0 = 255; blue: 0 x 0 + 0.5 x 1 = 128.
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 255, 128, 128, 1);
}

TEST_F(GlTest, StencilMaskCutsTheShadow) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    const auto mask = Square(-2, -2, 0, 2), shadow = Square(-1, -1, 1, 1);
    auto maskBuffer = device->CreateVertexBuffer(VertexFormat::Plain, mask.data(), 6);
    auto shadowBuffer = device->CreateVertexBuffer(VertexFormat::Plain, shadow.data(), 6);
    const TexturePtr dark = Plain(*device, 0xFF200000);
    device->SetTexture(0, dark.get());
    device->Clear(ClearTarget | ClearZBuffer | ClearStencil, 0xFF00FF00, 1, 0);
    // The mask raises the stencil and writes nothing visible.
    device->SetRenderState(RenderState::ZEnable, 0);
    device->SetRenderState(RenderState::ZWriteEnable, 0);
    device->SetRenderState(RenderState::StencilEnable, 1);
    device->SetRenderState(RenderState::StencilFunc, uint32_t(Compare::Always));
    device->SetRenderState(RenderState::StencilPass, uint32_t(StencilOp::Incr));
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(RenderState::SrcBlend, uint32_t(Blend::Zero));
    device->SetRenderState(RenderState::DestBlend, uint32_t(Blend::One));
    Draw(*device, *maskBuffer);
    // The shadow only where the stencil is still 0.
    device->SetRenderState(RenderState::ZEnable, 1);
    device->SetRenderState(RenderState::ZWriteEnable, 1);
    device->SetRenderState(RenderState::StencilPass, uint32_t(StencilOp::Keep));
    device->SetRenderState(RenderState::StencilFunc, uint32_t(Compare::Equal));
    device->SetRenderState(RenderState::StencilRef, 0);
    device->SetRenderState(RenderState::AlphaBlendEnable, 0);
    Draw(*device, *shadowBuffer);
    device->SetRenderState(RenderState::StencilEnable, 0);
    Show();
    float left, top, right, bottom;
    ScreenOf({-1, 1, 0}, MatrixIdentity(), left, top);
    ScreenOf({1, -1, 0}, MatrixIdentity(), right, bottom);
    const int midY = int(top + bottom) / 2;
    EXPECT_EQ(Pixel(int(left) + 3, midY), 0x00FF00u);  // over the drop: cut away
    EXPECT_EQ(Pixel(int(right) - 3, midY), 0x200000u); // on the floor: drawn
}

TEST_F(GlTest, OnePixelSpriteLightsExactlyThatPixel) {
    const TexturePtr white = Plain(*device, 0xFFFFFFFF);
    device->Clear(ClearTarget, 0xFF000000, 1, 0);
    device->DrawSprite(white.get(), nullptr, 37, 21, 1, 1, 0xFFFFFFFF);
    device->DrawSprite(white.get(), nullptr, 90, 100, 3, 2, 0xFF00FF00); // a 3 x 2 green block
    Show();
    int lit = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (Pixel(x, y) != 0) ++lit;
    EXPECT_EQ(lit, 1 + 6);
    EXPECT_EQ(Pixel(37, 21), 0xFFFFFFu);
    for (int y = 100; y < 102; ++y)
        for (int x = 90; x < 93; ++x) EXPECT_EQ(Pixel(x, y), 0x00FF00u) << x << "," << y;
}

TEST_F(GlTest, SpriteTexelsLandOnPixelsExactly) {
    // A 4 x 4 picture drawn at scale 1 with linear filtering: every texel on its own pixel,
    // no bleeding between neighbours; a source rectangle picks the lower-right 2 x 2.
    uint32_t texels[16];
    for (int i = 0; i < 16; ++i)
        texels[i] = 0xFF000000u | uint32_t(i * 16) << 16 | uint32_t(255 - i * 16) << 8 | 0x40;
    const TexturePtr picture = device->CreateTexture(4, 4, texels);
    device->Clear(ClearTarget, 0xFF000000, 1, 0);
    device->BeginSprites();
    device->DrawSprite(picture.get(), nullptr, 10, 20, 1, 1, 0xFFFFFFFF);
    const Rect corner{2, 2, 4, 4};
    device->DrawSprite(picture.get(), &corner, 50, 60, 1, 1, 0xFFFFFFFF);
    device->EndSprites();
    Show();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel(10 + x, 20 + y), texels[y * 4 + x] & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(Pixel(50, 60), texels[10] & 0xFFFFFF);
    EXPECT_EQ(Pixel(51, 61), texels[15] & 0xFFFFFF);
    EXPECT_EQ(Pixel(52, 60), 0u);
    // Colour tints and alpha blends over what is there; alpha 0 leaves it untouched.
    device->Clear(ClearTarget, 0xFF0000FF, 1, 0);
    const TexturePtr white = Plain(*device, 0xFFFFFFFF);
    device->DrawSprite(white.get(), nullptr, 5, 5, 1, 1, 0x80FF0000);
    device->DrawSprite(white.get(), nullptr, 6, 5, 1, 1, 0x00FF0000);
    Show();
    EXPECT_RGB_NEAR(Pixel(5, 5), 128, 0, 127, 1);
    EXPECT_EQ(Pixel(6, 5), 0x0000FFu);
}

TEST_F(GlTest, SpritesLeaveTheSceneStatesAlone) {
    StandardCamera();
    const TexturePtr red = Plain(*device, 0xFFFF0000), white = Plain(*device, 0xFFFFFFFF);
    device->SetRenderState(RenderState::Lighting, 0);
    device->SetTexture(0, red.get());
    const auto square = Square(-1, -1, 1, 1);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    device->DrawSprite(white.get(), nullptr, 0, 0, 4, 4, 0xFFFFFFFF);
    Draw(*device, *buffer); // still red, depth-tested, not blended
    Show();
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0xFF0000u);
    EXPECT_EQ(Pixel(1, 1), 0xFFFFFFu);
}

TEST_F(GlTest, SixteenBitBackBufferKeepsFiveSixFiveBits) {
    device.reset();
    ASSERT_TRUE(Open(16, 0));
    EXPECT_GE(device->DepthBits(), 16);
    EXPECT_EQ(device->StencilBits(), 0);
    // Recreate at 16-bit colour: the picture keeps 5 bits of red and blue, 6 of green.
    device.reset();
    window->Open({kSize, kSize, false, 16, 0});
    DeviceError error;
    device = CreateGlDevice(*window, {kSize, kSize, 16, 16, 0}, error);
    ASSERT_TRUE(device);
    device->Clear(ClearTarget, 0xFF336699, 1, 0);
    Show();
    const uint32_t c = Pixel(3, 3);
    EXPECT_NE(c, 0x336699u);
    EXPECT_RGB_NEAR(c, 0x33, 0x66, 0x99, 4);
}

TEST_F(GlTest, ScaledWorldsScaleNormalsAsFixedFunctionLightingDoes) {
    // Normals are not renormalised: a plain mesh takes them through the inverse transpose
    // (half the size: twice as bright), a blended one through the matrices themselves (half
    // as bright). The light meets the unscaled square at N.L = 0.4.
    StandardCamera();
    Light sun;
    sun.direction = {0, -std::sqrt(1 - 0.16f), 0.4f};
    sun.diffuse = {1, 1, 1, 0};
    device->SetLight(0, sun);
    device->LightEnable(0, true);
    const auto square = Square(-1, -1, 1, 1);
    auto plain = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    std::vector<SkinnedVertex> skinned;
    for (const PlainVertex& p : square)
        skinned.push_back({p.x, p.y, p.z, 1.0f, {0, 0, 0, 0}, p.nx, p.ny, p.nz, p.u, p.v});
    auto blended = device->CreateVertexBuffer(VertexFormat::Skinned, skinned.data(), 6);
    device->SetRenderState(RenderState::VertexBlend, 1);
    device->SetRenderState(RenderState::IndexedVertexBlendEnable, 1);
    struct Case {
        const VertexBuffer* buffer;
        float scale;
        int expected;
    };
    for (const Case c : {Case{plain.get(), 1, 102}, Case{plain.get(), 0.5f, 204},
                         Case{blended.get(), 1, 102}, Case{blended.get(), 0.5f, 51}}) {
        device->SetWorld(0, MatrixScaling(c.scale, c.scale, c.scale));
        device->Clear(ClearTarget | ClearZBuffer, 0xFF0000FF, 1, 0);
        Draw(*device, *c.buffer);
        Show();
        SCOPED_TRACE(c.scale);
        EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), c.expected, c.expected, c.expected, 1);
    }
}

TEST_F(GlTest, DriverQuestionsLeaveTheGameContextCurrent) {
    DriverCaps caps;
    ASSERT_TRUE(QueryDriverCaps(caps));
    EXPECT_GE(caps.maxTextureSize, 1024);
    EXPECT_GE(caps.maxBackBufferSize, 1024);
    EXPECT_TRUE(caps.depth24Stencil8);
    EXPECT_TRUE(caps.depth16 || caps.depth24);
    // The device goes on drawing into its own window.
    device->Clear(ClearTarget, 0xFF123456, 1, 0);
    Show();
    EXPECT_EQ(Pixel(5, 5), 0x123456u);
}

TEST_F(GlTest, SpritePassesInARowShareOneDrawAndKeepTheirOrder) {
    const TexturePtr white = Plain(*device, 0xFFFFFFFF), red = Plain(*device, 0xFFFF0000);
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    const uint64_t before = device->Stats().drawCalls;
    for (int i = 0; i < 40; ++i) { // a line of text: one pass a glyph
        device->BeginSprites();
        device->DrawSprite(white.get(), nullptr, float(i * 2), 10, 1, 1, 0xFFFFFFFF);
        device->EndSprites();
    }
    // A 3D square over the first sprites, then a sprite over the square.
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    device->SetTexture(0, red.get());
    const auto square = Square(-5, -0.2f, 5, 5);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    Draw(*device, *buffer);
    device->DrawSprite(white.get(), nullptr, 64, 30, 1, 1, 0xFF00FF00);
    Show();
    EXPECT_EQ(device->Stats().drawCalls - before, 3u); // 40 glyphs, the square, the last sprite
    EXPECT_EQ(Pixel(2, 10), 0xFF0000u);                // under the square
    EXPECT_EQ(Pixel(3, 10), 0xFF0000u);
    EXPECT_EQ(Pixel(64, 30), 0x00FF00u); // over it
}
