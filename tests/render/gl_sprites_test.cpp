// Sprites and text through the OpenGL device, read back from the screen: 2D placement must
// be pixel-exact. Runs headless under SDL_VIDEODRIVER=offscreen.
#include <functional>
#include <gtest/gtest.h>

#include "fixtures.h"
#include "platform/gpu/gl_device.h"
#include "platform/window.h"
#include "render/font.h"
#include "render/screenlayout.h"
#include "render/text.h"
#include "render/textures.h"

namespace {

constexpr int kWidth = 96, kHeight = 48;

class GlSpritesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!window::StartVideo()) GTEST_SKIP() << "no video system";
        window::WindowRequest request;
        request.width = kWidth;
        request.height = kHeight;
        ASSERT_EQ(win.Open(request), window::OpenResult::Ok);
        gpu::BackBufferFormat format;
        format.width = kWidth;
        format.height = kHeight;
        gpu::DeviceError error = gpu::DeviceError::None;
        device = gpu::CreateGlDevice(win, format, error);
        ASSERT_NE(device, nullptr);
        Textures().Clear();
        Textures().SetDevice(device.get());
        batch.CreateSprites(device.get());
        // Text at its designed size.
        ScreenWidth = 1600;
        ScreenHeight = 1200;
        ComputeScreenLayout();
    }
    void TearDown() override {
        Textures().Clear();
        Textures().SetDevice(nullptr);
        ResetScreenLayout();
        device.reset();
    }
    // Draws with `draw` on black and returns the shown picture.
    std::vector<uint32_t> Frame(const std::function<void()>& draw) {
        device->Clear(gpu::ClearTarget | gpu::ClearZBuffer, 0xff000000, 1, 0);
        device->BeginScene();
        draw();
        device->EndScene();
        device->Present();
        std::vector<uint32_t> pixels;
        int width = 0, height = 0;
        EXPECT_TRUE(device->ReadFrontBuffer(pixels, width, height));
        EXPECT_EQ(width, kWidth);
        EXPECT_EQ(height, kHeight);
        return pixels;
    }
    static uint32_t At(const std::vector<uint32_t>& pixels, int x, int y) {
        return pixels[size_t(y) * kWidth + size_t(x)] & 0xffffff;
    }

    fixtures::ScratchFolder folder;
    window::Window win{"Tarnhollow"};
    std::unique_ptr<gpu::Device> device;
    td2dsprites batch;
};

} // namespace

TEST_F(GlSpritesTest, OnePixelSpriteLightsExactlyItsPixel) {
    // A 4 x 4 picture whose texel (1, 2) is white; the sprite is that one texel.
    std::vector<uint32_t> picture(16, 0xff000080);
    picture[2 * 4 + 1] = 0xffffffff;
    fixtures::WritePng(folder.File("dot.png"), 4, 4, picture);
    const int dot = batch.AddSprite(folder.File("dot.png"), 1, 2, 1, 1);
    const auto pixels = Frame([&] { batch.DrawSprite(dot, 10, 20, 0xffffff, 255); });
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(At(pixels, x, y), (x == 10 && y == 20) ? 0xffffffu : 0u) << x << "," << y;

    // Tinted and half transparent over black: each channel is texel x colour x alpha.
    const auto tinted = Frame([&] { batch.DrawSprite(dot, 0, 0, 0xff8000, 255); });
    EXPECT_EQ(At(tinted, 0, 0), 0xff8000u);
    const auto faded = Frame([&] { batch.DrawSprite(dot, 5, 5, 0xffffff, 128); });
    EXPECT_NEAR(int(At(faded, 5, 5) & 0xff), 128, 1);
    // Scaled by 3: a 3 x 3 block from (7, 8).
    const auto big = Frame([&] { batch.DrawSpriteScaled(dot, 7, 8, 3, 3, 0xffffff, 255); });
    int lit = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) lit += At(big, x, y) != 0;
    EXPECT_EQ(lit, 9);
    EXPECT_EQ(At(big, 7, 8), 0xffffffu);
    EXPECT_EQ(At(big, 9, 10), 0xffffffu);
}

TEST_F(GlSpritesTest, TextLandsOnTheGlyphBoxes) {
    // A font picture whose glyph boxes are solid white and everything else transparent.
    std::vector<uint32_t> picture(256 * 80, 0x00000000);
    for (const FontGlyph& g : FontGlyphs)
        for (int y = g.top; y < g.top + g.height; ++y)
            for (int x = g.left; x < g.left + g.width; ++x)
                picture[size_t(y) * 256 + size_t(x)] = 0xffffffff;
    fixtures::WritePng(folder.File("font.png"), 256, 80, picture);
    const int first = batch.Count();
    for (const FontGlyph& g : FontGlyphs)
        batch.AddSprite(folder.File("font.png"), g.left, g.top, g.width, g.height);

    // "A b" at (3, 4): A covers x 3..14, the space draws nothing, b covers x 22..33.
    const auto pixels =
        Frame([&] { DrawPlainText(batch, 3, 4, "A b", 1, false, first, 0x00ff00, 255); });
    const auto litColumn = [&](int x) {
        for (int y = 0; y < kHeight; ++y)
            if (At(pixels, x, y)) return true;
        return false;
    };
    for (int x = 0; x < kWidth; ++x)
        EXPECT_EQ(litColumn(x), (x >= 3 && x <= 14) || (x >= 22 && x <= 33)) << x;
    EXPECT_EQ(At(pixels, 3, 4), 0x00ff00u);
    EXPECT_EQ(At(pixels, 3, 19), 0x00ff00u); // 16 rows high
    EXPECT_EQ(At(pixels, 3, 20), 0u);
    EXPECT_EQ(At(pixels, 3, 3), 0u);
    EXPECT_EQ(At(pixels, 33, 10), 0x00ff00u);
}
