#pragma once
// A device for runs that draw nothing: every call is accepted and forgotten. It hands back
// only what callers rely on: textures and vertex buffers that know their sizes (sprites and
// the texture cache read them), the back buffer's size and formats. There is never a front
// buffer to read, and the counters stay at 0. Textures from files are decoded, so a missing
// or broken file fails as it would on the GL device.
#include "platform/gpu/device.h"

namespace gpu {

class NullDevice final : public Device {
  public:
    explicit NullDevice(int width = 640, int height = 480, int depthBits = 24, int stencilBits = 8);

    void BeginScene() override {}
    void EndScene() override {}
    void Present() override {}
    void Clear(uint32_t, Argb, float, uint32_t) override {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int DepthBits() const override { return depthBits_; }
    int StencilBits() const override { return stencilBits_; }
    bool ShowsNothing() const override { return true; }
    bool ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) override;
    void SetView(const Matrix&) override {}
    void SetProjection(const Matrix&) override {}
    void SetWorld(int, const Matrix&) override {}
    void SetLight(int, const Light&) override {}
    void LightEnable(int, bool) override {}
    void SetMaterial(const Material&) override {}
    void SetRenderState(RenderState, uint32_t) override {}
    void SetStageState(int, StageState, uint32_t) override {}
    void SetTexture(int, const Texture*) override {}
    VertexBufferPtr CreateVertexBuffer(VertexFormat format, const void* vertices,
                                       int count) override;
    void SetStreamSource(const VertexBuffer*) override {}
    void DrawTriangleList(int, int) override {}
    TextureError CreateTextureFromFile(std::string_view path, TexturePtr& texture) override;
    TexturePtr CreateTexture(int width, int height, const uint32_t* pixels) override;
    void BeginSprites() override {}
    void DrawSprite(const Texture*, const Rect*, float, float, float, float, Argb) override {}
    void EndSprites() override {}
    const DeviceStats& Stats() const override { return stats_; }

  private:
    int width_, height_, depthBits_, stencilBits_;
    DeviceStats stats_;
};

} // namespace gpu
