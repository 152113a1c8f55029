// The GL device draws each stage set-up with a program of its own and makes the smaller
// pictures of a texture only when a filter first needs them: neither may show.
#include "gl_fixture.h"

using namespace gpu;

namespace {

void Draw(Device& device, const VertexBuffer& buffer, const Matrix& world) {
    device.SetWorld(0, world);
    device.SetStreamSource(&buffer);
    device.DrawTriangleList(0, buffer.VertexCount() / 3);
}

void SetColourStage(Device& device, int stage, TextureOp op, TextureArg arg1, TextureArg arg2) {
    device.SetStageState(stage, StageState::ColourOp, uint32_t(op));
    device.SetStageState(stage, StageState::ColourArg1, uint32_t(arg1));
    device.SetStageState(stage, StageState::ColourArg2, uint32_t(arg2));
}

// Black and white texels in a checkerboard of 64 x 64.
TexturePtr Checkerboard(Device& device) {
    std::vector<uint32_t> texels(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) texels[y * 64 + x] = (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000;
    return device.CreateTexture(64, 64, texels.data());
}

} // namespace

// Each set-up keeps its own copy of the matrices: a program coming back after others drew
// must not draw with the world matrix it had when it last drew.
TEST_F(GlTest, SquaresLandWhereTheirMatricesSayWhateverTheirStages) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    const uint32_t green = 0xFF00FF00;
    const TexturePtr texture = device->CreateTexture(1, 1, &green);
    const auto square = Square(-0.25f, -0.25f, 0.25f, 0.25f);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    // The set-up changes at every draw, the matrix at every other one.
    struct Step {
        float x;
        TextureOp op; // Modulate: the green texture; Add: white diffuse doubled
    };
    const Step steps[] = {{-1, TextureOp::Modulate},
                          {-1, TextureOp::Add},
                          {1, TextureOp::Add},
                          {1, TextureOp::Modulate}};
    device->SetTexture(0, texture.get());
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    for (const Step& s : steps) {
        if (s.op == TextureOp::Add)
            SetColourStage(*device, 0, TextureOp::Add, TextureArg::Diffuse, TextureArg::Diffuse);
        else
            SetColourStage(*device, 0, TextureOp::Modulate, TextureArg::Texture,
                           TextureArg::Current);
        Draw(*device, *buffer, MatrixTranslation(s.x, 0, 0));
    }
    Show();
    float x, y;
    ScreenOf({0, 0, 0}, MatrixTranslation(-1, 0, 0), x, y);
    EXPECT_EQ(Pixel(int(x), int(y)), 0xFFFFFFu) << "the later draw covers the left square";
    ScreenOf({0, 0, 0}, MatrixTranslation(1, 0, 0), x, y);
    EXPECT_EQ(Pixel(int(x), int(y)), 0x00FF00u) << "the later draw covers the right square";
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0u) << "nothing between the squares";
}

// A picture drawn far smaller than itself, through the smaller pictures, is the average of
// its texels: grey, not black (missing smaller pictures) nor a stripe of one colour.
TEST_F(GlTest, MinifiedPicturesUseSmallerPicturesMadeOnDemand) {
    StandardCamera();
    device->SetRenderState(RenderState::Lighting, 0);
    const TexturePtr board = Checkerboard(*device);
    // The 3D path: a square of 64 texels across about 9 pixels.
    const auto square = Square(-0.15f, -0.15f, 0.15f, 0.15f);
    auto buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    device->SetTexture(0, board.get());
    for (auto filter : {StageState::MagFilter, StageState::MinFilter, StageState::MipFilter})
        device->SetStageState(0, filter, uint32_t(TextureFilter::Linear));
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    Draw(*device, *buffer, MatrixIdentity());
    // The sprite path: the same picture at an eighth of its size, away from the square.
    device->BeginSprites();
    device->DrawSprite(board.get(), nullptr, 8, 8, 0.125f, 0.125f, 0xFFFFFFFF);
    device->EndSprites();
    Show();
    EXPECT_RGB_NEAR(Pixel(kSize / 2, kSize / 2), 128, 128, 128, 8);
    EXPECT_RGB_NEAR(Pixel(12, 12), 128, 128, 128, 8);
}
