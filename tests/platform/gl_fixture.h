#pragma once
// A small offscreen window with a GL device, for tests that draw and read the pixels back.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gpu/gl_device.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"

class GlTest : public ::testing::Test {
  protected:
    static constexpr int kSize = 128;

    std::unique_ptr<window::Window> window;
    std::unique_ptr<gpu::Device> device;
    std::vector<uint32_t> pixels;

    // Opens the window and the device; false (the test skipped) without a GL 3.3 driver.
    bool Open(int depthBits = 24, int stencilBits = 8, int width = kSize, int height = kSize,
              bool clipControl = true) {
        window = std::make_unique<window::Window>("test");
        const window::OpenResult r = window->Open({width, height, false, 32, 0});
        if (r != window::OpenResult::Ok) {
            skipped = true;
            return false;
        }
        gpu::DeviceError error;
        device = gpu::CreateGlDevice(
            *window, {width, height, 32, depthBits, stencilBits, clipControl}, error);
        EXPECT_TRUE(device) << "device error " << int(error);
        return device != nullptr;
    }
    void SetUp() override {
        if (!Open()) {
            if (skipped)
                GTEST_SKIP()
                    << "no OpenGL 3.3 core context: these tests need SDL_VIDEODRIVER=offscreen "
                       "with Mesa's EGL (libegl-mesa0, libgl1-mesa-dri) or a desktop session";
        }
    }
    void TearDown() override {
        device.reset();
        window.reset();
    }

    // Presents the frame and keeps its pixels for Pixel().
    void Show() {
        device->Present();
        int w = 0, h = 0;
        ASSERT_TRUE(device->ReadFrontBuffer(pixels, w, h));
    }
    uint32_t Pixel(int x, int y) const {
        return pixels[size_t(y) * size_t(device->Width()) + size_t(x)] & 0xFFFFFF;
    }

    // A camera five units in front of the origin looking along +z, square picture.
    void StandardCamera() {
        device->SetView(gpu::MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0}));
        device->SetProjection(gpu::MatrixPerspectiveFovLH(3.14159265f / 4, 1.0f, 1.0f, 100.0f));
    }
    // Where a world point lands on screen (pixel coordinates, top-left origin).
    void ScreenOf(gpu::Vector3 p, const gpu::Matrix& world, float& x, float& y) const {
        const gpu::Matrix wvp =
            gpu::MatrixMultiply(gpu::MatrixMultiply(world, View()), Projection());
        const gpu::Vector3 ndc = gpu::TransformCoord(p, wvp);
        x = (ndc.x + 1) / 2 * device->Width();
        y = (1 - ndc.y) / 2 * device->Height();
    }
    static gpu::Matrix View() { return gpu::MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0}); }
    static gpu::Matrix Projection() {
        return gpu::MatrixPerspectiveFovLH(3.14159265f / 4, 1.0f, 1.0f, 100.0f);
    }

  private:
    bool skipped = false;
};

// Two triangles of a square in the z = 0 plane, facing -z (towards the standard camera),
// wound clockwise as seen from there. u, v run from the top-left corner.
inline std::vector<gpu::PlainVertex> Square(float x0, float y0, float x1, float y1, float z = 0) {
    const gpu::PlainVertex tl{x0, y1, z, 0, 0, -1, 0, 0}, tr{x1, y1, z, 0, 0, -1, 1, 0};
    const gpu::PlainVertex br{x1, y0, z, 0, 0, -1, 1, 1}, bl{x0, y0, z, 0, 0, -1, 0, 1};
    return {tl, tr, br, tl, br, bl};
}

inline int Red(uint32_t c) {
    return int((c >> 16) & 255);
}
inline int Green(uint32_t c) {
    return int((c >> 8) & 255);
}
inline int Blue(uint32_t c) {
    return int(c & 255);
}

// The largest per-channel difference a flat colour may show against its exact value (the
// rasteriser's rounding), and so between two builds of the device drawing the same picture.
constexpr int kPixelTolerance = 1;

// Expects a colour within `tolerance` per channel.
#define EXPECT_RGB_NEAR(actual, r, g, b, tolerance)                                                \
    do {                                                                                           \
        const uint32_t c_ = (actual);                                                              \
        EXPECT_NEAR(Red(c_), (r), (tolerance)) << "red of " << std::hex << c_;                     \
        EXPECT_NEAR(Green(c_), (g), (tolerance)) << "green of " << std::hex << c_;                 \
        EXPECT_NEAR(Blue(c_), (b), (tolerance)) << "blue of " << std::hex << c_;                   \
    } while (0)
