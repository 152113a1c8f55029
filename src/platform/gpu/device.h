#pragma once
// The drawing device: the small fixed-function vocabulary the game draws with (transforms,
// lights, material, render and texture-stage states, vertex buffers, textures, sprites,
// clear and present). Three implementations: OpenGL (gl_device.h), a recorder for tests
// (recording_device.h) and one that draws nothing for headless runs (null_device.h).
//
// Conventions, the same on every implementation:
// - Matrices are row-vector, left-handed, with the projection mapping depth to 0..1. The
//   GL implementation converts to its own clip space itself; callers never do.
// - Front faces are clockwise on screen; CullMode Ccw (the default) removes counter-clockwise
//   ones.
// - Screen pixels: (0, 0) is the top-left pixel; y grows downwards.
// - Setting a state to the value it already has costs nothing on the GPU.
// - States keep their value across frames until changed; defaults are listed in types.h.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gpu/types.h"

namespace gpu {

// A picture on the device. Shared: the texture cache, sprites and models hold it together;
// the GPU copy is freed with the last holder (freeing after the device is gone is safe).
class Texture {
  public:
    virtual ~Texture() = default;
    virtual int Width() const = 0;  // pixels, as in the file
    virtual int Height() const = 0; // pixels, as in the file
    // True, with the colour, for a texture whose texels are all alike: it reads as that
    // colour wherever and however it is sampled, so the device need not fetch it.
    virtual bool OneColour(Argb& /*colour*/) const { return false; }
};
using TexturePtr = std::shared_ptr<Texture>;

// Vertices filled once at creation. Freeing after the device is gone is safe.
class VertexBuffer {
  public:
    virtual ~VertexBuffer() = default;
    virtual VertexFormat Format() const = 0;
    virtual int VertexCount() const = 0;
};
using VertexBufferPtr = std::unique_ptr<VertexBuffer>;

// What the device has done since it was created (for benchmarks and tests).
struct DeviceStats {
    uint64_t drawCalls = 0;    // triangle lists and sprite batches sent
    uint64_t backendCalls = 0; // calls into the graphics API (GL calls for the GL device)
};

class Device {
  public:
    virtual ~Device() = default;

    // ---- Frame ------------------------------------------------------------------------------
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    // Shows the frame; it becomes the front buffer that ReadFrontBuffer returns. The next
    // frame's back buffer holds no defined picture: clear it.
    virtual void Present() = 0;
    // flags: ClearFlags. Clears the whole target whatever the depth-write or blend states.
    // Asking for depth or stencil the target does not have clears what it has.
    virtual void Clear(uint32_t flags, Argb colour, float z, uint32_t stencil) = 0;
    virtual int Width() const = 0;  // back buffer, pixels
    virtual int Height() const = 0; // back buffer, pixels
    virtual int DepthBits() const = 0;
    virtual int StencilBits() const = 0;
    // A device that draws nothing anyone sees (headless runs): what is only drawn can be
    // skipped, what the game reads back cannot.
    virtual bool ShowsNothing() const { return false; }
    // The last presented frame as 0xAARRGGBB pixels, rows top to bottom, alpha 255.
    // False when there is nothing to read (then the vector is left empty).
    virtual bool ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) = 0;
    // True while frames go (or the last one went) straight into the window: once shown, a
    // frame cannot be read back
    // on every driver, so ReadFrontBuffer may fail, and ReadDrawnFrame reads the frame drawn
    // so far, before it is shown.
    virtual bool ShowsFramesStraight() const { return false; }
    virtual bool ReadDrawnFrame(std::vector<uint32_t>& /*pixels*/, int& /*width*/,
                                int& /*height*/) {
        return false;
    }

    // ---- Transforms -------------------------------------------------------------------------
    virtual void SetView(const Matrix& view) = 0;
    virtual void SetProjection(const Matrix& projection) = 0;
    // World matrix number 0..kMaxWorldMatrices-1. Number 0 is the plain world matrix; a
    // skinned draw picks matrices by the vertices' bone numbers.
    virtual void SetWorld(int index, const Matrix& world) = 0;

    // ---- Lighting ---------------------------------------------------------------------------
    virtual void SetLight(int index, const Light& light) = 0; // index 0..kMaxLights-1
    virtual void LightEnable(int index, bool on) = 0;
    virtual void SetMaterial(const Material& material) = 0;

    // ---- States -----------------------------------------------------------------------------
    // Values as listed beside each RenderState; unknown states are ignored.
    virtual void SetRenderState(RenderState state, uint32_t value) = 0;
    // stage 0..kMaxStages-1. A stage whose colour operation reads Texture while no texture is
    // bound is treated as Disable, together with every later stage.
    virtual void SetStageState(int stage, StageState state, uint32_t value) = 0;
    // The texture a stage samples; nullptr for none. The device does not keep it alive.
    virtual void SetTexture(int stage, const Texture* texture) = 0;

    // ---- Geometry ---------------------------------------------------------------------------
    // Copies `count` vertices of the format (PlainVertex or SkinnedVertex records). nullptr
    // when the device cannot hold them.
    virtual VertexBufferPtr CreateVertexBuffer(VertexFormat format, const void* vertices,
                                               int count) = 0;
    virtual void SetStreamSource(const VertexBuffer* buffer) = 0;
    // Every three vertices from firstVertex on form one triangle. Plain vertices follow world
    // matrix 0; skinned vertices blend their two matrices while VertexBlend is 1 and
    // IndexedVertexBlendEnable is 1, else they also follow world matrix 0.
    virtual void DrawTriangleList(int firstVertex, int triangleCount) = 0;

    // ---- Textures ---------------------------------------------------------------------------
    // Loads a PNG or JPEG picture at its own size (game path, "\" allowed). On failure
    // `texture` is reset and the reason returned.
    virtual TextureError CreateTextureFromFile(std::string_view path, TexturePtr& texture) = 0;
    // A texture from 0xAARRGGBB pixels, rows top to bottom; nullptr on failure.
    virtual TexturePtr CreateTexture(int width, int height, const uint32_t* pixels) = 0;

    // ---- Sprites ----------------------------------------------------------------------------
    // A sprite pass draws textured screen-space rectangles: no lighting, no culling, no depth
    // test or write, no stencil, blend SrcAlpha/InvSrcAlpha, texels of alpha 0 discarded,
    // linear filtering clamped to the picture, texture x colour on colour and alpha. The 3D
    // states are untouched by the pass and in force again after it.
    virtual void BeginSprites() = 0;
    // The src rectangle (the whole texture when nullptr) of the texture, scaled by
    // (scaleX, scaleY) about its top-left corner, which lands at pixel (x, y). The texels are
    // multiplied by `colour`. A null texture draws nothing. Outside a pass, it makes its own.
    // Sprites drawn one after another reach the GPU together, in order, whatever passes
    // they were drawn in.
    virtual void DrawSprite(const Texture* texture, const Rect* src, float x, float y, float scaleX,
                            float scaleY, Argb colour) = 0;
    virtual void EndSprites() = 0;

    virtual const DeviceStats& Stats() const = 0;
};

} // namespace gpu
