#include "platform/gpu/null_device.h"

#include "platform/gpu/picture.h"

namespace gpu {

namespace {

class NullTexture final : public Texture {
  public:
    NullTexture(int width, int height) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }

  private:
    int width_, height_;
};

class NullBuffer final : public VertexBuffer {
  public:
    NullBuffer(VertexFormat format, int count) : format_(format), count_(count) {}
    VertexFormat Format() const override { return format_; }
    int VertexCount() const override { return count_; }

  private:
    VertexFormat format_;
    int count_;
};

} // namespace

NullDevice::NullDevice(int width, int height, int depthBits, int stencilBits)
    : width_(width), height_(height), depthBits_(depthBits), stencilBits_(stencilBits) {}

bool NullDevice::ReadFrontBuffer(std::vector<uint32_t>& pixels, int&, int&) {
    pixels.clear();
    return false;
}

VertexBufferPtr NullDevice::CreateVertexBuffer(VertexFormat format, const void* vertices,
                                               int count) {
    if (count <= 0 || !vertices) return nullptr;
    return std::make_unique<NullBuffer>(format, count);
}

TextureError NullDevice::CreateTextureFromFile(std::string_view path, TexturePtr& texture) {
    texture.reset();
    // Decoded only for its size and to fail where the GL device would; the pixels go.
    Picture picture;
    const TextureError e = DecodePicture(path, picture);
    if (e != TextureError::None) return e;
    texture = std::make_shared<NullTexture>(picture.width, picture.height);
    return TextureError::None;
}

TexturePtr NullDevice::CreateTexture(int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return nullptr;
    return std::make_shared<NullTexture>(width, height);
}

} // namespace gpu
