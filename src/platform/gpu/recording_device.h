#pragma once
// A device that draws nothing and writes down every call, for tests of the code above it.
// Each call becomes one line, e.g. "SetTexture 0 tex2", "SetRenderState 27 1",
// "SetStageState 0 1 7", "SetWorld 3", "DrawTriangleList 0 12", "Clear 7 ff646464 1 0".
// Textures and vertex buffers are numbered in creation order from 1 ("tex1", "vb1"); a null
// one is "none". Textures from files are decoded for real, so a missing file fails as it
// would on the GL device.
#include <string>
#include <vector>

#include "platform/gpu/device.h"

namespace gpu {

class RecordingDevice : public Device {
  public:
    explicit RecordingDevice(int width = 640, int height = 480, int depthBits = 24,
                             int stencilBits = 8);

    std::vector<std::string> calls;
    // Number of recorded lines starting with `prefix`.
    int Count(std::string_view prefix) const;

    // The last value given to each piece of state (defaults as on a fresh device).
    Matrix view, projection;
    Matrix world[kMaxWorldMatrices];
    Light lights[kMaxLights];
    bool lightEnabled[kMaxLights] = {};
    Material material;
    uint32_t RenderStateValue(RenderState state) const;
    uint32_t StageStateValue(int stage, StageState state) const;
    const Texture* textures[kMaxStages] = {};
    const VertexBuffer* stream = nullptr;
    // The picture ReadFrontBuffer hands out (all 0xFF000000 of Width() x Height() by default);
    // a test may fill it, or make it fail.
    std::vector<uint32_t> frontBuffer;
    bool frontBufferReadable = true;

    void BeginScene() override;
    void EndScene() override;
    void Present() override;
    void Clear(uint32_t flags, Argb colour, float z, uint32_t stencil) override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int DepthBits() const override { return depthBits_; }
    int StencilBits() const override { return stencilBits_; }
    bool ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) override;
    void SetView(const Matrix& m) override;
    void SetProjection(const Matrix& m) override;
    void SetWorld(int index, const Matrix& m) override;
    void SetLight(int index, const Light& light) override;
    void LightEnable(int index, bool on) override;
    void SetMaterial(const Material& m) override;
    void SetRenderState(RenderState state, uint32_t value) override;
    void SetStageState(int stage, StageState state, uint32_t value) override;
    void SetTexture(int stage, const Texture* texture) override;
    VertexBufferPtr CreateVertexBuffer(VertexFormat format, const void* vertices,
                                       int count) override;
    void SetStreamSource(const VertexBuffer* buffer) override;
    void DrawTriangleList(int firstVertex, int triangleCount) override;
    TextureError CreateTextureFromFile(std::string_view path, TexturePtr& texture) override;
    TexturePtr CreateTexture(int width, int height, const uint32_t* pixels) override;
    void BeginSprites() override;
    void DrawSprite(const Texture* texture, const Rect* src, float x, float y, float scaleX,
                    float scaleY, Argb colour) override;
    void EndSprites() override;
    const DeviceStats& Stats() const override { return stats_; }

    // The name a texture or buffer is recorded under ("tex3", "vb1", "none").
    static std::string NameOf(const Texture* texture);
    static std::string NameOf(const VertexBuffer* buffer);

  private:
    int width_, height_, depthBits_, stencilBits_;
    int texturesMade_ = 0, buffersMade_ = 0;
    uint32_t renderStates_[256];
    uint32_t stageStates_[kMaxStages][32];
    DeviceStats stats_;
    void Record(std::string line);
};

} // namespace gpu
