#pragma once
// The GL device's inside, shared by its source files (frame and state in gl_device.cpp,
// textures and buffers in gl_resources.cpp, sprites in gl_sprites.cpp).
#include <epoxy/gl.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/gpu/gl_device.h"
#include "platform/gpu/gl_shaders.h"
#include "platform/gpu/gl_state.h"
#include "platform/gpu/state_shadow.h"

namespace gpu {

class GlDevice;

// Shared by the device and everything it made: resources freed after the device is gone
// find `device` empty and leave GL alone (the context went with the device).
struct GlLife {
    GlDevice* device = nullptr;
};

class GlTexture : public Texture {
  public:
    GlTexture(std::shared_ptr<GlLife> life, GLuint name, int width, int height, bool oneColour,
              Argb colour)
        : life_(std::move(life)), name_(name), width_(width), height_(height),
          oneColour_(oneColour), colour_(colour) {}
    ~GlTexture() override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    GLuint Name() const { return name_; }
    // The smaller pictures are made the first time a filter asks for them: most pictures
    // are only ever sampled at full size.
    bool OneColour(Argb& colour) const override {
        colour = colour_;
        return oneColour_;
    }
    bool HasMipmaps() const { return mipmaps_; }
    void MarkMipmaps() const { mipmaps_ = true; }

  private:
    std::shared_ptr<GlLife> life_;
    GLuint name_;
    int width_, height_;
    bool oneColour_;
    Argb colour_;
    mutable bool mipmaps_ = false;
};

class GlVertexBuffer : public VertexBuffer {
  public:
    GlVertexBuffer(std::shared_ptr<GlLife> life, VertexFormat format, int count, GLuint buffer,
                   GLuint vao)
        : life_(std::move(life)), format_(format), count_(count), buffer_(buffer), vao_(vao) {}
    ~GlVertexBuffer() override;
    VertexFormat Format() const override { return format_; }
    int VertexCount() const override { return count_; }
    GLuint Vao() const { return vao_; }
    GLuint Buffer() const { return buffer_; }

  private:
    std::shared_ptr<GlLife> life_;
    VertexFormat format_;
    int count_;
    GLuint buffer_, vao_;
};

// One corner of a sprite as the sprite program reads it.
struct SpriteVertex {
    float x, y, u, v;
    uint32_t colour; // 0xAARRGGBB, read by GL as BGRA bytes
};

class GlDevice : public Device {
  public:
    GlDevice(window::Window& window);
    ~GlDevice() override;
    DeviceError Start(const BackBufferFormat& format);

    void BeginScene() override;
    void EndScene() override;
    void Present() override;
    void Clear(uint32_t flags, Argb colour, float z, uint32_t stencil) override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int DepthBits() const override { return depthBits_; }
    int StencilBits() const override { return stencilBits_; }
    bool ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) override;
    bool ShowsFramesStraight() const override { return drawingStraight_ || shownStraight_; }
    bool ReadDrawnFrame(std::vector<uint32_t>& pixels, int& width, int& height) override;
    void SetView(const Matrix& m) override { shadow_.SetView(m); }
    void SetProjection(const Matrix& m) override { shadow_.SetProjection(m); }
    void SetWorld(int index, const Matrix& m) override { shadow_.SetWorld(index, m); }
    void SetLight(int index, const Light& light) override { shadow_.SetLight(index, light); }
    void LightEnable(int index, bool on) override { shadow_.LightEnable(index, on); }
    void SetMaterial(const Material& m) override { shadow_.SetMaterial(m); }
    void SetRenderState(RenderState state, uint32_t value) override {
        shadow_.SetRenderState(state, value);
    }
    void SetStageState(int stage, StageState state, uint32_t value) override {
        shadow_.SetStageState(stage, state, value);
    }
    void SetTexture(int stage, const Texture* texture) override {
        shadow_.SetTexture(stage, texture);
    }
    VertexBufferPtr CreateVertexBuffer(VertexFormat format, const void* vertices,
                                       int count) override;
    void SetStreamSource(const VertexBuffer* buffer) override {
        stream_ = static_cast<const GlVertexBuffer*>(buffer);
    }
    void DrawTriangleList(int firstVertex, int triangleCount) override;
    TextureError CreateTextureFromFile(std::string_view path, TexturePtr& texture) override;
    TexturePtr CreateTexture(int width, int height, const uint32_t* pixels) override;
    void BeginSprites() override;
    void DrawSprite(const Texture* texture, const Rect* src, float x, float y, float scaleX,
                    float scaleY, Argb colour) override;
    void EndSprites() override;
    const DeviceStats& Stats() const override { return stats_; }

    // Where the frame being drawn goes: the window's own framebuffer (0) or one of ours.
    GLuint BackFramebuffer() const { return drawingStraight_ ? 0 : framebuffers_[back_]; }
    void Reclaim();

    // Called by resources as they go.
    void Forget(const GlTexture* texture);
    void Forget(const GlVertexBuffer* buffer);

  private:
    window::Window& window_;
    std::shared_ptr<GlLife> life_;
    DeviceStats stats_;
    GlState gl_;
    StateShadow shadow_;
    GlPrograms programs_;
    int width_ = 0, height_ = 0, depthBits_ = 0, stencilBits_ = 0, paletteSize_ = 0;
    bool clipControl_ = false;
    // Two colour buffers take turns as back and front; they share the depth buffer.
    GLuint framebuffers_[2] = {}, colourBuffers_[2] = {}, depthBuffer_ = 0;
    int back_ = 0;
    bool straightPossible_ = false; // the window's buffers match ours
    bool drawingStraight_ = false;  // this frame is drawn into the window's back buffer
    bool shownStraight_ = false;    // the frame last shown is in the window's front buffer
    void ChooseDrawTarget();
    bool ReadFramebuffer(GLuint framebuffer, std::vector<uint32_t>& pixels, int& width,
                         int& height);
    bool WindowBuffersMatch() const;
    GLuint stateBuffer_ = 0, paletteBuffer_ = 0;
    SceneProgram* scene_ = nullptr; // the program of the stage set-up in force
    bool sceneBlended_ = false;     // whether it blends vertices
    const GlVertexBuffer* stream_ = nullptr;
    std::map<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t>, GLuint> samplers_;
    std::vector<float> paletteStaging_;
    uint64_t plainVersion_ = 1; // counts changes of the world 0 uniforms
    int paletteFirst_ = kMaxWorldMatrices, paletteLast_ = -1; // palette buffer behind

    // Sprites.
    GLuint spriteVao_ = 0, spriteBuffer_ = 0, spriteSampler_ = 0;
    std::vector<SpriteVertex> spriteVertices_;
    GLuint spriteTexture_ = 0;

    DeviceError MakeBackBuffers(const BackBufferFormat& format);
    void SendState(bool blending);
    void SendRaster();
    void SendUniforms();
    void SendMatrices(bool blending);
    void SendTextures();
    void SendSamplers();
    GLuint SamplerFor(int stage);
    void MakeMipmaps(int unit, const GlTexture* texture);
    void FlushSprites();
    // GL calls made outside GlState go through this, so every call is counted.
    template <typename F> void Call(F&& f) {
        ++stats_.backendCalls;
        f();
    }
};

} // namespace gpu
