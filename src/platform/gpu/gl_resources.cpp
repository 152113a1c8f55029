// Textures and vertex buffers of the GL device.
#include <algorithm>
#include <cstring>

#include "platform/gpu/gl_device_impl.h"
#include "platform/gpu/picture.h"

namespace gpu {

GlTexture::~GlTexture() {
    if (!life_->device) return;
    life_->device->Forget(this);
    glDeleteTextures(1, &name_);
}

GlVertexBuffer::~GlVertexBuffer() {
    if (!life_->device) return;
    life_->device->Forget(this);
    glDeleteVertexArrays(1, &vao_);
    glDeleteBuffers(1, &buffer_);
}

void GlDevice::Forget(const GlTexture* texture) {
    shadow_.ForgetTexture(texture);
    gl_.ForgetTexture(texture->Name());
    if (spriteTexture_ == texture->Name()) {
        FlushSprites();
        spriteTexture_ = 0;
    }
}

void GlDevice::Forget(const GlVertexBuffer* buffer) {
    if (stream_ == buffer) stream_ = nullptr;
    gl_.ForgetVertexArray(buffer->Vao(), buffer->Buffer());
}

VertexBufferPtr GlDevice::CreateVertexBuffer(VertexFormat format, const void* vertices, int count) {
    if (count <= 0 || !vertices) return nullptr;
    const int stride = VertexSize(format);
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint buffer = 0, vao = 0;
    glGenBuffers(1, &buffer);
    glGenVertexArrays(1, &vao);
    gl_.BindVertexArray(vao);
    gl_.BindBuffer(GL_ARRAY_BUFFER, buffer);
    stats_.backendCalls += 4;
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(count) * stride, vertices, GL_STATIC_DRAW);
    // Attribute locations: 0 position, 1 weight, 2 bone numbers, 3 normal, 4 texture u, v.
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(3);
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, (void*)0);
    if (format == VertexFormat::Plain) {
        glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, stride, (void*)12);
        glVertexAttribPointer(4, 2, GL_FLOAT, GL_FALSE, stride, (void*)24);
    } else {
        glEnableVertexAttribArray(1);
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, stride, (void*)12);
        glVertexAttribIPointer(2, 4, GL_UNSIGNED_BYTE, stride, (void*)16);
        glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, stride, (void*)20);
        glVertexAttribPointer(4, 2, GL_FLOAT, GL_FALSE, stride, (void*)32);
    }
    if (glGetError() != GL_NO_ERROR) {
        gl_.BindVertexArray(0);
        glDeleteVertexArrays(1, &vao);
        glDeleteBuffers(1, &buffer);
        gl_.ForgetVertexArray(vao, buffer);
        return nullptr;
    }
    return std::make_unique<GlVertexBuffer>(life_, format, count, buffer, vao);
}

TexturePtr GlDevice::CreateTexture(int width, int height, const uint32_t* pixels) {
    TexturePtr texture;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize || !pixels) return nullptr;
    FlushSprites(); // the bind below would change a pending sprite's texture
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    gl_.BindTexture(0, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // 0xAARRGGBB words are B, G, R, A bytes in memory.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    stats_.backendCalls += 3;
    gl_.BindTexture(0, 0);
    shadow_.dirty |= kDirtyTextures;
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        return nullptr;
    }
    const size_t count = size_t(width) * size_t(height);
    const bool oneColour =
        std::all_of(pixels, pixels + count, [&](uint32_t p) { return p == pixels[0]; });
    return std::make_shared<GlTexture>(life_, name, width, height, oneColour, pixels[0]);
}

TextureError GlDevice::CreateTextureFromFile(std::string_view path, TexturePtr& texture) {
    texture.reset();
    Picture picture;
    if (const TextureError e = DecodePicture(path, picture); e != TextureError::None) return e;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (picture.width > maxSize || picture.height > maxSize) return TextureError::NotAvailable;
    texture = CreateTexture(picture.width, picture.height, picture.pixels.data());
    return texture ? TextureError::None : TextureError::OutOfVideoMemory;
}

} // namespace gpu
