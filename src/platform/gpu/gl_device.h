#pragma once
// The OpenGL 3.3 core device, drawing into the GL context of a window.
#include <memory>

#include "platform/gpu/device.h"

namespace window {
class Window;
}

namespace gpu {

// The back buffer asked for. Depth and stencil sizes the driver cannot give exactly are
// replaced by the nearest it offers (DepthBits()/StencilBits() tell what was given).
struct BackBufferFormat {
    int width = 0, height = 0;
    int colourBits = 32; // 32 or 16
    int depthBits = 24;  // 0 = no depth buffer
    int stencilBits = 8; // 0 = no stencil
    // Depth 0..1 through glClipControl where the driver has it; off, the shaders convert
    // depth themselves as they do on drivers without it (tests check both ways).
    bool useClipControl = true;
    // Frames go straight into the window, without a copy, whenever the window shows them at
    // this size and its own buffers have the depth and stencil asked for; otherwise they go
    // into the device's framebuffers and are copied, scaled, at Present.
    bool presentStraight = false;
};

// Why a device could not be made.
enum class DeviceError {
    None,
    OutOfVideoMemory, // the back buffer did not fit
    NotAvailable,     // the driver lacks a feature the device needs
    InvalidCall,      // the size or window cannot be used
    Other,
};

// What the driver can do. The setup dialog offers only what the game can use.
struct DriverCaps {
    int maxTextureSize = 0;    // pixels, either side
    int maxBackBufferSize = 0; // pixels, either side
    bool depth16 = false, depth24 = false, depth32 = false, depth24Stencil8 = false;
};

// Asks the driver through a hidden window and context of its own; the GL context current
// before stays current. False when there is no OpenGL 3.3 core driver.
bool QueryDriverCaps(DriverCaps& caps);

// The window must have an open GL context (Window::Open) and stay open, not reopened,
// while the device lives.
// Returns nullptr and sets `error` on failure.
std::unique_ptr<Device> CreateGlDevice(window::Window& window, const BackBufferFormat& format,
                                       DeviceError& error);

// For a host that draws into the device's GL context between the device's frames (the
// level editor's widgets around its 3D view):
// The GL framebuffer the device draws its next frame into; 0 for a device that is not GL.
unsigned GlBackFramebuffer(const Device& device);
// Call before the device draws again: it sets every GL state it relies on once more (its
// framebuffer, viewport, raster states, bindings), whatever the host left behind.
void ReclaimGlContext(Device& device);

} // namespace gpu
