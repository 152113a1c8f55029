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
};

// Why a device could not be made.
enum class DeviceError {
    None,
    OutOfVideoMemory, // the back buffer did not fit
    NotAvailable,     // the driver lacks a feature the device needs
    InvalidCall,      // the size or window cannot be used
    Other,
};

// The window must have an open GL context (Window::Open) and outlive the device.
// Returns nullptr and sets `error` on failure.
std::unique_ptr<Device> CreateGlDevice(window::Window& window, const BackBufferFormat& format,
                                       DeviceError& error);

} // namespace gpu
