// TDGraphics: the states, camera, lights and clears it asks of the device, its failures, and
// screenshots of what is on screen.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/dgraphics.h"
#include "platform/gpu/gl_device.h"
#include "platform/gpu/recording_device.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"

namespace fs = std::filesystem;
using gpu::RecordingDevice;
using gpu::RenderState;

namespace {

struct Recorded {
    TDGraphics graphics;
    RecordingDevice* device;
    explicit Recorded(int depthFormat, int width = 640, int height = 480) {
        auto d = std::make_unique<RecordingDevice>(width, height);
        device = d.get();
        graphics.UseDevice(std::move(d), depthFormat);
    }
};

// Runs the test body in an empty folder of its own (log.txt and screenshots land there).
class InTempFolder {
  public:
    InTempFolder() : old_(fs::current_path()) {
        folder_ = fs::temp_directory_path() /
                  ("dgraphics-" + std::to_string(::getpid()) + "-" + std::to_string(++n_));
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    ~InTempFolder() {
        fs::current_path(old_);
        fs::remove_all(folder_);
    }

  private:
    fs::path old_, folder_;
    static inline int n_ = 0;
};

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

uint32_t U32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

struct Bmp {
    int width = 0, height = 0, bits = 0;
    std::string bytes;
    // Pixel (x, y) with y from the top, as 0xRRGGBB.
    uint32_t At(int x, int y) const {
        return U32(bytes, 54 + 4 * (size_t(height - 1 - y) * width + x)) & 0xFFFFFF;
    }
};

Bmp ReadBmp(const std::string& name) {
    Bmp bmp;
    bmp.bytes = ReadFile(name);
    if (bmp.bytes.size() < 54 || bmp.bytes.substr(0, 2) != "BM") return bmp;
    bmp.width = int(U32(bmp.bytes, 18));
    bmp.height = int(U32(bmp.bytes, 22));
    bmp.bits = int(uint8_t(bmp.bytes[28])) | int(uint8_t(bmp.bytes[29])) << 8;
    EXPECT_EQ(U32(bmp.bytes, 2), bmp.bytes.size());
    EXPECT_EQ(bmp.bytes.size(), 54 + size_t(bmp.width) * bmp.height * 4);
    return bmp;
}

} // namespace

TEST(TDGraphics, ClearsDepthAndStencilAsTheDepthFormatSays) {
    struct Case {
        int format;
        bool stencil;
        const char* clear;
    };
    const Case cases[] = {
        {75, true, "Clear 7 ff0a141e 1 0"},  {73, true, "Clear 7 ff0a141e 1 0"},
        {79, false, "Clear 3 ff0a141e 1 0"}, {71, false, "Clear 3 ff0a141e 1 0"},
        {77, false, "Clear 3 ff0a141e 1 0"}, {80, false, "Clear 3 ff0a141e 1 0"},
        {0, false, "Clear 1 ff0a141e 1 0"},
    };
    for (const Case& c : cases) {
        Recorded r(c.format);
        EXPECT_EQ(r.graphics.HasStencil(), c.stencil) << c.format;
        r.graphics.Clear(10, 20, 30);
        EXPECT_EQ(r.device->calls.back(), c.clear) << c.format;
    }
}

TEST(TDGraphics, DepthFormatsOfferedFollowTheDriver) {
    gpu::DriverCaps packedOnly;
    packedOnly.depth24Stencil8 = true;
    gpu::DriverCaps sixteenOnly;
    sixteenOnly.depth16 = true;
    for (int format : {75, 79, 73, 71, 77, 80, 0})
        EXPECT_TRUE(DepthFormatSupported(format, packedOnly)) << format;
    for (int format : {75, 79, 73, 71, 77})
        EXPECT_FALSE(DepthFormatSupported(format, sixteenOnly)) << format;
    EXPECT_TRUE(DepthFormatSupported(80, sixteenOnly));
    EXPECT_TRUE(DepthFormatSupported(0, gpu::DriverCaps{}));
}

TEST(TDGraphics, NewDeviceGetsItsStartingStatesAndAGreyClear) {
    Recorded r(75);
    const std::vector<std::string> expected = {
        "SetRenderState 22 3",  "SetRenderState 7 1",   "SetRenderState 137 1",
        "SetRenderState 26 1",  "SetStageState 0 16 2", "SetStageState 0 17 2",
        "Clear 7 ff646464 1 0",
    };
    EXPECT_EQ(r.device->calls, expected);
}

TEST(TDGraphics, FrameCameraLightsAndAmbient) {
    Recorded r(75);
    r.graphics.BeginFrame(0.8f, 0.3f);
    EXPECT_EQ(r.device->RenderStateValue(RenderState::Lighting), 1u);
    const gpu::Material& m = r.device->material;
    EXPECT_EQ(m.diffuse.r, 0.8f);
    EXPECT_EQ(m.diffuse.a, 1.0f);
    EXPECT_EQ(m.ambient.b, 0.3f);
    EXPECT_EQ(m.ambient.a, 1.0f);
    EXPECT_EQ(m.emissive.r, 0.0f);
    r.graphics.EndFrame();
    EXPECT_EQ(r.device->calls.back(), "Present");

    // Aspect 1.0 even on a 640 x 480 screen: x and y scale alike.
    r.graphics.SetCamera(3, 10, -4, 3, 0, 6, 5, 25);
    const gpu::Matrix& p = r.device->projection;
    EXPECT_NEAR(p.m[0][0], 2.414214f, 1e-5);
    EXPECT_EQ(p.m[0][0], p.m[1][1]);
    EXPECT_NEAR(p.m[2][2], 25.0f / 20.0f, 1e-6);
    EXPECT_NEAR(p.m[3][2], -5.0f * 25.0f / 20.0f, 1e-5);
    const gpu::Vector3 eye = gpu::TransformCoord({3, 10, -4}, r.device->view);
    const gpu::Vector3 at = gpu::TransformCoord({3, 0, 6}, r.device->view);
    EXPECT_NEAR(eye.x, 0, 1e-5);
    EXPECT_NEAR(eye.z, 0, 1e-5);
    EXPECT_NEAR(at.x, 0, 1e-5);
    EXPECT_NEAR(at.z, std::sqrt(200.0f), 1e-4); // straight ahead, along +z

    r.graphics.SetPointLight(1, 255, 51, 0, 1, 2, 3, 4.5f);
    const gpu::Light& point = r.device->lights[1];
    EXPECT_EQ(point.type, gpu::LightType::Point);
    EXPECT_FLOAT_EQ(point.diffuse.g, 0.2f);
    EXPECT_EQ(point.diffuse.a, 0.0f);
    EXPECT_EQ(point.attenuation0, 0.0f);
    EXPECT_EQ(point.attenuation1, 1.0f);
    EXPECT_EQ(point.attenuation2, 0.0f);
    EXPECT_EQ(point.range, 4.5f);
    EXPECT_TRUE(r.device->lightEnabled[1]);
    r.graphics.SetDirectionalLight(0, 255, 255, 255, 0, -3, 4);
    EXPECT_FLOAT_EQ(r.device->lights[0].direction.y, -0.6f);
    EXPECT_FLOAT_EQ(r.device->lights[0].direction.z, 0.8f);
    EXPECT_EQ(r.device->lights[0].range, 1000.0f);
    r.graphics.DisableLight(1);
    EXPECT_FALSE(r.device->lightEnabled[1]);
    EXPECT_TRUE(r.device->lightEnabled[0]);
    r.graphics.SetAmbient(0x12, 0x34, 0x56);
    EXPECT_EQ(r.device->RenderStateValue(RenderState::Ambient), 0x00123456u);
}

TEST(TDGraphics, ScreenshotIsA32BitBmpOfTheFrontBuffer) {
    InTempFolder folder;
    Recorded r(75, 4, 3);
    r.device->frontBuffer = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004,
                             0xFF000005, 0xFF000006, 0xFF000007, 0xFF000008,
                             0xFF000009, 0xFF00000A, 0xFF00000B, 0xFF00000C};
    ASSERT_TRUE(r.graphics.SaveScreenshot("pic1.bmp"));
    const Bmp bmp = ReadBmp("pic1.bmp");
    EXPECT_EQ(bmp.width, 4);
    EXPECT_EQ(bmp.height, 3);
    EXPECT_EQ(bmp.bits, 32);
    EXPECT_EQ(bmp.At(0, 0), 1u);  // top-left
    EXPECT_EQ(bmp.At(3, 2), 12u); // bottom-right
    // A screen that cannot be read leaves no file, and a missing folder fails quietly.
    r.device->frontBufferReadable = false;
    EXPECT_FALSE(r.graphics.SaveScreenshot("pic2.bmp"));
    EXPECT_FALSE(fs::exists("pic2.bmp"));
    r.device->frontBufferReadable = true;
    EXPECT_FALSE(r.graphics.SaveScreenshot("screenshots\\pic3.bmp"));
}

class TDGraphicsOnGl : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!window::StartVideo())
            GTEST_SKIP() << "no video system (SDL_VIDEODRIVER=offscreen needs Mesa's EGL)";
    }
};

TEST_F(TDGraphicsOnGl, ScreenshotShowsThePresentedFrameAtTheModeSize) {
    // A window nobody watches keeps the frame shown while the next is being drawn, and the
    // screenshot is that frame. A watched window may get its frames straight, where a frame
    // once shown cannot be read back: the screenshot is then the next frame, a frame later.
    for (const bool watched : {false, true}) {
        SCOPED_TRACE(watched ? "watched" : "not watched");
        InTempFolder folder;
        window::Window w("Tarnhollow");
        w.SetWatched(watched);
        TDGraphics g;
        g.SetWindow(&w);
        const CreateDeviceResult result =
            g.CreateDevice(0, 1024, 768, kColour32, kDepthD24S8, true, true);
        if (result == CreateDeviceResult::NotAvailable) GTEST_SKIP() << "no OpenGL 3.3 core driver";
        ASSERT_EQ(result, CreateDeviceResult::Ok);
        EXPECT_EQ(g.Device()->Width(), 1024);
        EXPECT_GE(g.Device()->StencilBits(), 1);
        g.BeginFrame(1, 1);
        g.Clear(200, 100, 50);
        g.EndFrame();
        const bool straight = g.Device()->ShowsFramesStraight();
        EXPECT_TRUE(watched || !straight);
        g.BeginFrame(1, 1);
        g.Clear(1, 2, 3);
        ASSERT_TRUE(g.SaveScreenshot("pic1.bmp"));
        g.EndFrame();
        const Bmp bmp = ReadBmp("pic1.bmp");
        EXPECT_EQ(bmp.width, 1024);
        EXPECT_EQ(bmp.height, 768);
        EXPECT_EQ(bmp.bits, 32);
        const uint32_t shown = straight ? 0x010203u : 0xC86432u;
        EXPECT_EQ(bmp.At(0, 0), shown);
        EXPECT_EQ(bmp.At(1023, 767), shown);
        g.Release();
        EXPECT_EQ(g.Device(), nullptr);
    }
}

TEST_F(TDGraphicsOnGl, DepthFormatsGetTheNearestBuffersTheDriverHas) {
    window::Window w("Tarnhollow");
    TDGraphics g;
    g.SetWindow(&w);
    struct Case {
        int format, minDepth, minStencil;
        bool stencil;
    };
    for (const Case c : {Case{80, 16, 0, false}, Case{79, 24, 0, false}, Case{73, 15, 1, true},
                         Case{71, 24, 0, false}, Case{0, 0, 0, false}}) {
        const CreateDeviceResult result =
            g.CreateDevice(0, 64, 48, kColour32, c.format, true, true);
        if (result == CreateDeviceResult::NotAvailable) GTEST_SKIP() << "no OpenGL 3.3 core driver";
        ASSERT_EQ(result, CreateDeviceResult::Ok) << c.format;
        EXPECT_GE(g.Device()->DepthBits(), c.minDepth) << c.format;
        EXPECT_GE(g.Device()->StencilBits(), c.minStencil) << c.format;
        if (c.format == 0) {
            EXPECT_EQ(g.Device()->DepthBits(), 0);
        }
        EXPECT_EQ(g.HasStencil(), c.stencil) << c.format;
        g.Release();
    }
}

TEST_F(TDGraphicsOnGl, RefusedModeIsLoggedAndShownWithItsOwnWords) {
    InTempFolder folder;
    { std::ofstream("log.txt") << "earlier\r\n"; }
    window::Window w("Tarnhollow");
    TDGraphics g;
    g.SetWindow(&w);
    testing::internal::CaptureStderr();
    EXPECT_EQ(g.CreateDevice(0, 0, 768, kColour32, kDepthD24S8, true, true),
              CreateDeviceResult::InvalidCall);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("ERROR: Unable to set screen mode."), std::string::npos) << shown;
    EXPECT_EQ(ReadFile("log.txt"), "earlier\r\nERROR: Invalid Call\r\n");
    EXPECT_EQ(g.Device(), nullptr);
    // Without a device every operation is a quiet no-op.
    g.BeginFrame(1, 1);
    g.Clear(0, 0, 0);
    g.EndFrame();
    EXPECT_FALSE(g.SaveScreenshot("pic1.bmp"));
}
