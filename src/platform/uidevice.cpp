#include "platform/uidevice.h"

#include "platform/gpu/gl_device.h"
#include "platform/window.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdint>

namespace window {

std::unique_ptr<gpu::Device> UiDevicePicture::Open(Window& window, int width, int height) {
    Close();
    gpu::DeviceError error = gpu::DeviceError::None;
    std::unique_ptr<gpu::Device> device =
        gpu::CreateGlDevice(window, {width, height, 32, 24, 8, true}, error);
    if (!device) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return nullptr;
    }
    GLuint texture = 0, framebuffer = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    window_ = &window;
    device_ = device.get();
    texture_ = texture;
    framebuffer_ = framebuffer;
    width_ = width;
    height_ = height;
    return device;
}

void UiDevicePicture::Close() {
    if (window_ && window_->IsOpen()) {
        GLuint framebuffer = framebuffer_, texture = texture_;
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
    }
    window_ = nullptr;
    device_ = nullptr;
    texture_ = framebuffer_ = 0;
    width_ = height_ = 0;
}

void UiDevicePicture::BeginDrawing() {
    if (device_) gpu::ReclaimGlContext(*device_);
}

void UiDevicePicture::EndDrawing() {
    if (!device_) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gpu::GlBackFramebuffer(*device_));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void* UiDevicePicture::Texture() const {
    return reinterpret_cast<void*>(static_cast<intptr_t>(texture_));
}

bool UiDevicePicture::Read(std::vector<uint32_t>& pixels) const {
    pixels.clear();
    if (!device_) return false;
    pixels.resize(size_t(width_) * size_t(height_));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    for (int y = 0; y < height_ / 2; ++y)
        std::swap_ranges(pixels.begin() + ptrdiff_t(y) * width_,
                         pixels.begin() + ptrdiff_t(y + 1) * width_,
                         pixels.begin() + ptrdiff_t(height_ - 1 - y) * width_);
    for (uint32_t& p : pixels) p |= 0xFF000000u;
    return true;
}

} // namespace window
