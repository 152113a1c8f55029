#include "engine/dgraphics.h"

#include <cmath>
#include <numbers>

#include "engine/dgraphics_bmp.h"
#include "engine/log.h"
#include "platform/files.h"
#include "platform/gpu/gl_device.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"
#include "platform/window_desktop.h"

namespace {

struct DepthFormatInfo {
    int number;
    int depthBits, stencilBits; // asked of the driver, which may give more
    bool hasStencil;            // whether the game may use the stencil
};

// 79 and 73 have no exact match on GL drivers; the nearest offered (24/8) serves them, and
// only 75 and 73 count as having a stencil.
constexpr DepthFormatInfo kDepthFormats[] = {
    {kDepthNone, 0, 0, false},  {kDepthD24S8, 24, 8, true}, {kDepthD24X4S4, 24, 4, false},
    {kDepthD15S1, 16, 1, true}, {kDepthD32, 32, 0, false},  {kDepthD24X8, 24, 0, false},
    {kDepthD16, 16, 0, false},
};

DepthFormatInfo FindDepthFormat(int number) {
    for (const auto& info : kDepthFormats)
        if (info.number == number) return info;
    return {number, 24, 0, false}; // an unknown number still gets a depth buffer to draw with
}

struct DeviceFailure {
    CreateDeviceResult result;
    const char* logLine;
    const char* message;
};

constexpr DeviceFailure kReportedFailures[] = {
    {CreateDeviceResult::OutOfVideoMemory, "ERROR: Out of video memory",
     "ERROR: Out of video memory."},
    {CreateDeviceResult::NotAvailable, "ERROR: Not Available",
     "ERROR: Display adapter does not support all required features."},
    {CreateDeviceResult::InvalidCall, "ERROR: Invalid Call", "ERROR: Unable to set screen mode."},
};

CreateDeviceResult FromDeviceError(gpu::DeviceError e) {
    switch (e) {
    case gpu::DeviceError::None:
        return CreateDeviceResult::Ok;
    case gpu::DeviceError::OutOfVideoMemory:
        return CreateDeviceResult::OutOfVideoMemory;
    case gpu::DeviceError::NotAvailable:
        return CreateDeviceResult::NotAvailable;
    case gpu::DeviceError::InvalidCall:
        return CreateDeviceResult::InvalidCall;
    default:
        return CreateDeviceResult::OtherFailure;
    }
}

CreateDeviceResult FromOpenResult(window::OpenResult r) {
    switch (r) {
    case window::OpenResult::Ok:
        return CreateDeviceResult::Ok;
    case window::OpenResult::ModeRefused:
        return CreateDeviceResult::InvalidCall;
    case window::OpenResult::NoGlContext:
        return CreateDeviceResult::NotAvailable;
    default:
        return CreateDeviceResult::OtherFailure;
    }
}

float Channel(int c) {
    return float(c) / 255.0f;
}

} // namespace

bool DepthFormatSupported(int depthFormat, const gpu::DriverCaps& caps) {
    const DepthFormatInfo info = FindDepthFormat(depthFormat);
    if (info.stencilBits > 0) return caps.depth24Stencil8;
    if (info.depthBits > 24) return caps.depth32 || caps.depth24 || caps.depth24Stencil8;
    if (info.depthBits > 16) return caps.depth24 || caps.depth24Stencil8;
    if (info.depthBits > 0) return caps.depth16 || caps.depth24 || caps.depth24Stencil8;
    return true;
}

TDGraphics::TDGraphics() = default;
TDGraphics::~TDGraphics() = default;

void TDGraphics::SetWindow(window::Window* window) {
    device_.reset();
    window_ = window;
}

CreateDeviceResult
TDGraphics::CreateDevice(int adapter, int width, int height, int format, int depthFormat,
                         bool /*softwareVertexProcessing: all vertex work is the GPU's*/,
                         bool windowed) {
    device_.reset();
    depthFormat_ = depthFormat;
    CreateDeviceResult result = CreateDeviceResult::OtherFailure;
    // An adapter that is no longer there (a settings file from another machine) means the
    // first display rather than a silent end.
    if (adapter < 0 || adapter >= window::DisplayCount()) adapter = 0;
    window::DisplayMode desktop;
    if (window_ && window::CurrentDisplayMode(adapter, desktop)) {
        window::WindowRequest request;
        request.width = width;
        request.height = height;
        request.fullscreen = !windowed;
        request.bitsPerPixel = windowed ? desktop.bitsPerPixel : (format == kColour16 ? 16 : 32);
        request.display = adapter;
        // The picture is scaled into whatever size the player gives the window, shape kept.
        request.resizable = true;
        request.fullscreenKeys = true;
        const DepthFormatInfo depth = FindDepthFormat(depthFormat);
        request.depthBits = depth.depthBits;
        request.stencilBits = depth.stencilBits;
        result = FromOpenResult(window_->Open(request));
        if (result == CreateDeviceResult::Ok) {
            gpu::BackBufferFormat back;
            back.width = width;
            back.height = height;
            back.colourBits = request.bitsPerPixel;
            back.depthBits = depth.depthBits;
            back.stencilBits = depth.stencilBits;
            back.presentStraight = true;
            gpu::DeviceError error;
            device_ = gpu::CreateGlDevice(*window_, back, error);
            result = FromDeviceError(error);
            if (!device_) window_->Close();
        }
    }
    if (result != CreateDeviceResult::Ok) {
        for (const auto& failure : kReportedFailures)
            if (failure.result == result) {
                WriteLog(failure.logLine);
                window::MessageBox(window_ ? window_->Title() : "Tarnhollow", failure.message,
                                   window::MessageIcon::Error);
            }
        device_.reset();
        return result;
    }
    SetInitialStates();
    return CreateDeviceResult::Ok;
}

void TDGraphics::UseDevice(std::unique_ptr<gpu::Device> device, int depthFormat) {
    device_ = std::move(device);
    depthFormat_ = depthFormat;
    if (device_) SetInitialStates();
}

void TDGraphics::SetInitialStates() {
    using gpu::RenderState, gpu::StageState;
    device_->SetRenderState(RenderState::CullMode, uint32_t(gpu::Cull::Ccw));
    device_->SetRenderState(RenderState::ZEnable, 1);
    device_->SetRenderState(RenderState::Lighting, 1);
    device_->SetRenderState(RenderState::DitherEnable, 1);
    device_->SetStageState(0, StageState::MagFilter, uint32_t(gpu::TextureFilter::Linear));
    device_->SetStageState(0, StageState::MinFilter, uint32_t(gpu::TextureFilter::Linear));
    Clear(100, 100, 100);
}

void TDGraphics::BeginFrame(float diffuse, float ambient) {
    if (!device_) return;
    device_->BeginScene();
    device_->SetRenderState(gpu::RenderState::Lighting, 1);
    gpu::Material m;
    m.diffuse = {diffuse, diffuse, diffuse, 1};
    m.ambient = {ambient, ambient, ambient, 1};
    m.specular = {0, 0, 0, 1};
    m.emissive = {0, 0, 0, 0};
    m.power = 0;
    device_->SetMaterial(m);
}

void TDGraphics::EndFrame() {
    if (!device_) return;
    device_->EndScene();
    for (const std::string& file : shotsOfNextFrame_) WriteShot(file, true);
    shotsOfNextFrame_.clear();
    device_->Present();
}

void TDGraphics::Clear(int r, int g, int b) {
    if (!device_) return;
    uint32_t flags = gpu::ClearTarget;
    if (depthFormat_ != kDepthNone) flags |= gpu::ClearZBuffer;
    if (HasStencil()) flags |= gpu::ClearStencil;
    device_->Clear(flags, gpu::MakeArgb(255, r, g, b), 1.0f, 0);
}

void TDGraphics::SetCamera(float eyeX, float eyeY, float eyeZ, float atX, float atY, float atZ,
                           float zNear, float zFar) {
    if (!device_) return;
    device_->SetView(gpu::MatrixLookAtLH({eyeX, eyeY, eyeZ}, {atX, atY, atZ}, {0, 1, 0}));
    // Aspect 1.0 on every screen: wide modes stretch the picture, as the game always has.
    device_->SetProjection(
        gpu::MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 4, 1.0f, zNear, zFar));
}

void TDGraphics::SetPointLight(int index, int r, int g, int b, float x, float y, float z,
                               float range) {
    if (!device_) return;
    gpu::Light light;
    light.type = gpu::LightType::Point;
    light.diffuse = {Channel(r), Channel(g), Channel(b), 0};
    light.position = {x, y, z};
    light.range = range;
    light.attenuation0 = 0;
    light.attenuation1 = 1;
    light.attenuation2 = 0;
    device_->SetLight(index, light);
    device_->LightEnable(index, true);
}

void TDGraphics::SetDirectionalLight(int index, int r, int g, int b, float x, float y, float z) {
    if (!device_) return;
    gpu::Light light;
    light.type = gpu::LightType::Directional;
    light.diffuse = {Channel(r), Channel(g), Channel(b), 0};
    light.direction = gpu::Normalize({x, y, z});
    light.range = 1000.0f;
    device_->SetLight(index, light);
    device_->LightEnable(index, true);
}

void TDGraphics::DisableLight(int index) {
    if (device_) device_->LightEnable(index, false);
}

void TDGraphics::SetAmbient(int r, int g, int b) {
    if (device_) device_->SetRenderState(gpu::RenderState::Ambient, gpu::MakeArgb(0, r, g, b));
}

bool TDGraphics::HasStencil() const {
    return FindDepthFormat(depthFormat_).hasStencil;
}

bool TDGraphics::SaveScreenshot(const std::string& file) {
    if (!device_) return false;
    // A frame shown straight in the window cannot be read back on every driver: the picture
    // is then the next frame's, taken just before it is shown, a frame later.
    if (device_->ShowsFramesStraight()) {
        shotsOfNextFrame_.push_back(file);
        return true;
    }
    return WriteShot(file, false);
}

bool TDGraphics::WriteShot(const std::string& file, bool drawnFrame) {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    const bool read = drawnFrame ? device_->ReadDrawnFrame(pixels, width, height)
                                 : device_->ReadFrontBuffer(pixels, width, height);
    return read && files::WriteSafely(file, EncodeBmp32(pixels.data(), width, height));
}

void TDGraphics::Release() {
    device_.reset();
}
