// Sprites and text through the OpenGL device, read back from the screen: 2D placement must
// be pixel-exact. Runs headless under SDL_VIDEODRIVER=offscreen.
#include <functional>

#include "fixtures.h"
#include "platform/gl_fixture.h"
#include "render/font.h"
#include "render/screenlayout.h"
#include "render/text.h"
#include "render/textures.h"

namespace {

class GlSpritesTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || !device) return;
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
        GlTest::TearDown();
    }
    // Draws with `draw` on black and shows the frame.
    void Frame(const std::function<void()>& draw) {
        device->Clear(gpu::ClearTarget | gpu::ClearZBuffer, 0xff000000, 1, 0);
        device->BeginScene();
        draw();
        device->EndScene();
        Show();
    }
    int LitPixels() const {
        int lit = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) lit += Pixel(x, y) != 0;
        return lit;
    }

    fixtures::ScratchFolder folder;
    td2dsprites batch;
};

} // namespace

TEST_F(GlSpritesTest, OnePixelSpriteLightsExactlyItsPixel) {
    // A 4 x 4 picture whose texel (1, 2) is white; the sprite is that one texel.
    std::vector<uint32_t> picture(16, 0xff000080);
    picture[2 * 4 + 1] = 0xffffffff;
    fixtures::WritePng(folder.File("dot.png"), 4, 4, picture);
    const int dot = batch.AddSprite(folder.File("dot.png"), 1, 2, 1, 1);
    Frame([&] { batch.DrawSprite(dot, 10, 20, 0xffffff, 255); });
    EXPECT_EQ(Pixel(10, 20), 0xffffffu);
    EXPECT_EQ(LitPixels(), 1);

    // Tinted and half transparent over black: each channel is texel x colour x alpha.
    Frame([&] { batch.DrawSprite(dot, 0, 0, 0xff8000, 255); });
    EXPECT_EQ(Pixel(0, 0), 0xff8000u);
    Frame([&] { batch.DrawSprite(dot, 5, 5, 0xffffff, 128); });
    EXPECT_RGB_NEAR(Pixel(5, 5), 128, 128, 128, 1);
    // Scaled by 3: a 3 x 3 block from (7, 8). Filtering blends in the texels around the
    // rectangle, so this one is cut from a picture that is white all over.
    fixtures::WriteSolidPng(folder.File("white.png"), 4, 4, 0xffffffff);
    const int white = batch.AddSprite(folder.File("white.png"), 1, 1, 1, 1);
    Frame([&] { batch.DrawSpriteScaled(white, 7, 8, 3, 3, 0xffffff, 255); });
    EXPECT_EQ(LitPixels(), 9);
    EXPECT_EQ(Pixel(7, 8), 0xffffffu);
    EXPECT_EQ(Pixel(9, 10), 0xffffffu);
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
    Frame([&] { DrawPlainText(batch, 3, 4, "A b", 1, false, first, 0x00ff00, 255); });
    const auto litColumn = [&](int x) {
        for (int y = 0; y < kSize; ++y)
            if (Pixel(x, y)) return true;
        return false;
    };
    for (int x = 0; x < kSize; ++x)
        EXPECT_EQ(litColumn(x), (x >= 3 && x <= 14) || (x >= 22 && x <= 33)) << x;
    EXPECT_EQ(Pixel(3, 4), 0x00ff00u);
    EXPECT_EQ(Pixel(3, 19), 0x00ff00u); // 16 rows high
    EXPECT_EQ(Pixel(3, 20), 0u);
    EXPECT_EQ(Pixel(3, 3), 0u);
    EXPECT_EQ(Pixel(33, 10), 0x00ff00u);
}
