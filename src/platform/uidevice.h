#pragma once
// The game's drawing device inside a window of ImGui widgets: the device shares the window's
// GL context and draws into its own back buffer; each finished picture is copied into a
// texture that ImGui shows like any other image. Device and ImGui take turns on the context,
// and each turn starts by setting the GL state its user relies on.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gpu/device.h"

namespace window {

class Window;

class UiDevicePicture {
  public:
    UiDevicePicture() = default;
    UiDevicePicture(const UiDevicePicture&) = delete;
    UiDevicePicture& operator=(const UiDevicePicture&) = delete;
    ~UiDevicePicture() { Close(); }

    // Makes a device with a width x height back buffer (24-bit depth, 8-bit stencil) in the
    // open window's context and the texture its pictures go to; nullptr when the driver
    // refuses. The caller owns the device and releases it before Close.
    std::unique_ptr<gpu::Device> Open(Window& window, int width, int height);
    // Frees the texture while the window's context is still there.
    void Close();
    bool IsOpen() const { return device_ != nullptr; }

    // Before the device draws: the context becomes the device's again.
    void BeginDrawing();
    // After the device drew a frame (EndScene): its picture goes into the texture, and the
    // context goes back to the window (its own framebuffer bound).
    void EndDrawing();

    // For ImGui::Image: the texture, rows bottom to top (uv (0, 1) to (1, 0) shows it
    // upright); nullptr before Open.
    void* Texture() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The texture's picture as 0xAARRGGBB pixels, rows top to bottom.
    bool Read(std::vector<uint32_t>& pixels) const;

  private:
    Window* window_ = nullptr;
    gpu::Device* device_ = nullptr;
    unsigned texture_ = 0, framebuffer_ = 0;
    int width_ = 0, height_ = 0;
};

} // namespace window
