#pragma once
// TDGraphics: the graphics device of the game and the few operations the game needs around
// it: create it in the chosen mode, begin and end a frame, clear, camera, lights, ambient
// colour and screenshots. Models, sprites and text draw through Device() (the render stores).
#include <memory>
#include <string>
#include <vector>

#include "platform/gpu/device.h"

namespace window {
class Window;
}

// Depth-buffer formats by their historical numbers, as the settings file stores them.
enum DepthFormatNumber : int {
    kDepthNone = 0,
    kDepthD24S8 = 75,
    kDepthD24X4S4 = 79,
    kDepthD15S1 = 73,
    kDepthD32 = 71,
    kDepthD24X8 = 77,
    kDepthD16 = 80,
};
// Colour formats of the screen modes: 22 = 32-bit, 23 = 16-bit.
enum ColourFormatNumber : int { kColour32 = 22, kColour16 = 23 };

namespace gpu {
struct DriverCaps;
}

// Whether the driver can give a depth format of this number (79 and 73 are served by the
// nearest it has, so they count when that one is there).
bool DepthFormatSupported(int depthFormat, const gpu::DriverCaps& caps);

// The result of CreateDevice, by the historical failure codes that decide the message.
enum class CreateDeviceResult { Ok, OutOfVideoMemory, NotAvailable, InvalidCall, OtherFailure };

class TDGraphics {
  public:
    TDGraphics();
    ~TDGraphics();

    // Remembers the game window; drops a device made for an earlier window.
    void SetWindow(window::Window* window);
    // Opens the window in the mode and makes the device. On the three known failures the log
    // gets a line and the user a message box; any failure leaves no device.
    CreateDeviceResult CreateDevice(int adapter, int width, int height, int format, int depthFormat,
                                    bool softwareVertexProcessing, bool windowed);
    // Test seam: uses a device made elsewhere (a RecordingDevice) as if CreateDevice had
    // made it with this depth format, including CreateDevice's initial states and clear.
    void UseDevice(std::unique_ptr<gpu::Device> device, int depthFormat);

    // Starts a frame with lighting on and the material diffuse (d, d, d, 1), ambient (a, a, a, 1).
    void BeginFrame(float diffuse, float ambient);
    void EndFrame(); // ends the frame and shows it
    // Clears to the opaque colour; depth to 1.0 when there is a depth buffer, stencil to 0
    // when HasStencil.
    void Clear(int r, int g, int b);
    // Left-handed look-at with up (0, 1, 0); perspective with a vertical field of view of
    // pi/4 and aspect 1.0 whatever the screen's proportions.
    void SetCamera(float eyeX, float eyeY, float eyeZ, float atX, float atY, float atZ, float zNear,
                   float zFar);
    // Colours 0..255. A point light falls off as 1 / distance and ends at `range`.
    void SetPointLight(int index, int r, int g, int b, float x, float y, float z, float range);
    void SetDirectionalLight(int index, int r, int g, int b, float x, float y, float z);
    void DisableLight(int index);
    void SetAmbient(int r, int g, int b);
    bool HasStencil() const; // the depth format carries a stencil part (75 or 73)
    // Writes the picture on screen as a 32-bit BMP. Nothing is written when the screen cannot
    // be read; false then or when the file cannot be written.
    bool SaveScreenshot(const std::string& file);
    // Drops the device; the window stays the caller's.
    void Release();

    gpu::Device* Device() const { return device_.get(); }
    int DepthFormat() const { return depthFormat_; }

  private:
    window::Window* window_ = nullptr;
    int depthFormat_ = kDepthNone;
    std::unique_ptr<gpu::Device> device_;
    std::vector<std::string> shotsOfNextFrame_;
    void SetInitialStates();
    bool WriteShot(const std::string& file, bool drawnFrame);
};
