// The frame shown in a window of another size than the game's mode: scaled with its shape
// kept, black bars around, while screenshots keep the game's own picture.
#include <epoxy/gl.h>

#include "gl_fixture.h"
#include "platform/gpu/fitrect.h"

using gpu::FitRect;
using gpu::FittedRect;

TEST(FitRect, KeepsTheShapeCentredWithBarsWhereItDoesNotFill) {
    struct Case {
        int srcW, srcH, dstW, dstH;
        FittedRect expected;
    };
    const Case cases[] = {
        {640, 480, 640, 480, {0, 0, 640, 480}},        // windowed: one to one
        {640, 480, 1280, 960, {0, 0, 1280, 960}},      // same shape, larger
        {640, 480, 1920, 1080, {240, 0, 1440, 1080}},  // wider desktop: pillarbox
        {1024, 768, 1920, 1080, {240, 0, 1440, 1080}}, //
        {1280, 720, 1280, 1024, {0, 152, 1280, 720}},  // taller desktop: letterbox
        {1600, 1200, 1280, 1024, {0, 32, 1280, 960}},  // larger than the desktop: shrunk
        {800, 600, 1366, 768, {171, 0, 1024, 768}},    // odd remainder: the extra pixel right
        {320, 240, 400, 200, {66, 0, 267, 200}},       // 266.67 rounds to 267
        {640, 480, 0, 0, {}},                          // minimised window
        {0, 480, 640, 480, {}},
    };
    for (const Case& c : cases) {
        const FittedRect r = FitRect(c.srcW, c.srcH, c.dstW, c.dstH);
        EXPECT_EQ(r, c.expected) << c.srcW << "x" << c.srcH << " on " << c.dstW << "x" << c.dstH
                                 << " gave " << r.x << "," << r.y << " " << r.width << "x"
                                 << r.height;
        // Never outside the window.
        EXPECT_LE(r.x + r.width, std::max(c.dstW, 0));
        EXPECT_LE(r.y + r.height, std::max(c.dstH, 0));
    }
}

class PresentTest : public GlTest {
  protected:
    void SetUp() override {} // each test opens its own sizes

    // The window's pixel at (x, y), top-left origin, as it stands after Present.
    uint32_t WindowPixel(int x, int y) {
        const int h = window->DrawableHeight();
        uint32_t p = 0;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(x, h - 1 - y, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, &p);
        return p & 0xFFFFFF;
    }

    // Red with a green top-left quarter, so a picture turned over or shifted shows.
    void DrawQuarters() {
        const int w = device->Width(), h = device->Height();
        std::vector<uint32_t> green(size_t(w / 2) * size_t(h / 2), 0xFF00FF00);
        quarter = device->CreateTexture(w / 2, h / 2, green.data());
        device->Clear(gpu::ClearTarget, 0xFFFF0000, 1, 0);
        device->BeginSprites();
        device->DrawSprite(quarter.get(), nullptr, 0, 0, 1, 1, 0xFFFFFFFF);
        device->EndSprites();
    }

    gpu::TexturePtr quarter;
};

TEST_F(PresentTest, SmallerModeIsScaledIntoTheWindowBetweenBlackBars) {
    struct Case {
        int windowW, windowH;
    };
    for (const Case c : {Case{400, 200}, Case{320, 400}, Case{640, 480}, Case{320, 240}}) {
        SCOPED_TRACE(testing::Message() << "window " << c.windowW << "x" << c.windowH);
        window.reset();
        window = std::make_unique<window::Window>("test");
        if (window->Open({c.windowW, c.windowH, false, 32, 0}) != window::OpenResult::Ok)
            GTEST_SKIP() << "no OpenGL 3.3 core context";
        ASSERT_EQ(window->DrawableWidth(), c.windowW);
        // Leftovers in the window must not survive into the bars.
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        gpu::DeviceError error;
        device = gpu::CreateGlDevice(*window, {320, 240, 32, 24, 8, true}, error);
        ASSERT_TRUE(device);
        device->BeginScene();
        DrawQuarters();
        device->EndScene();
        device->Present();

        const FittedRect r = FitRect(320, 240, c.windowW, c.windowH);
        const int right = r.x + r.width - 1, bottom = r.y + r.height - 1;
        EXPECT_RGB_NEAR(WindowPixel(r.x + r.width / 4, r.y + r.height / 4), 0, 255, 0, 0);
        EXPECT_RGB_NEAR(WindowPixel(r.x + r.width * 3 / 4, r.y + r.height / 4), 255, 0, 0, 0);
        EXPECT_RGB_NEAR(WindowPixel(r.x + r.width / 4, r.y + r.height * 3 / 4), 255, 0, 0, 0);
        // The picture reaches the edges of its rectangle, the bars start right after.
        EXPECT_RGB_NEAR(WindowPixel(r.x, r.y), 0, 255, 0, 0);
        EXPECT_RGB_NEAR(WindowPixel(right, bottom), 255, 0, 0, 0);
        if (r.x > 0) {
            EXPECT_EQ(WindowPixel(0, c.windowH / 2), 0u);
            EXPECT_EQ(WindowPixel(r.x - 1, c.windowH / 2), 0u);
            EXPECT_EQ(WindowPixel(right + 1, c.windowH / 2), 0u);
            EXPECT_EQ(WindowPixel(c.windowW - 1, c.windowH / 2), 0u);
        }
        if (r.y > 0) {
            EXPECT_EQ(WindowPixel(c.windowW / 2, 0), 0u);
            EXPECT_EQ(WindowPixel(c.windowW / 2, r.y - 1), 0u);
            EXPECT_EQ(WindowPixel(c.windowW / 2, bottom + 1), 0u);
            EXPECT_EQ(WindowPixel(c.windowW / 2, c.windowH - 1), 0u);
        }

        // The screenshot is the game's own picture at its own size.
        std::vector<uint32_t> shot;
        int w = 0, h = 0;
        ASSERT_TRUE(device->ReadFrontBuffer(shot, w, h));
        ASSERT_EQ(w, 320);
        ASSERT_EQ(h, 240);
        EXPECT_EQ(shot[0], 0xFF00FF00u);                     // top-left quarter
        EXPECT_EQ(shot[159], 0xFF00FF00u);                   // its last column
        EXPECT_EQ(shot[160], 0xFFFF0000u);                   // and the red beside it
        EXPECT_EQ(shot[size_t(120) * 320], 0xFFFF0000u);     // below it
        EXPECT_EQ(shot[size_t(240) * 320 - 1], 0xFFFF0000u); // bottom-right
        quarter.reset();
        device.reset();
    }
}
