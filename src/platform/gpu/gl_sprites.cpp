// Sprites of the GL device: screen-space rectangles batched per texture.
//
// Text draws every glyph in a pass of its own. Sprites never depend on the 3D states, so
// passes that follow one another share one batch, sent when the texture changes or when
// anything else (a 3D draw, a clear, a present, a read) must come after them.
#include "platform/gpu/gl_device_impl.h"

namespace gpu {

// A pass only brackets sprites for the caller; the batch is what reaches the GPU.
void GlDevice::BeginSprites() {}
void GlDevice::EndSprites() {}

void GlDevice::DrawSprite(const Texture* texture, const Rect* src, float x, float y, float scaleX,
                          float scaleY, Argb colour) {
    if (!texture) return;
    const auto* t = static_cast<const GlTexture*>(texture);
    if (t->Name() != spriteTexture_) {
        FlushSprites();
        spriteTexture_ = t->Name();
        // Sprites filter through the smaller pictures when drawn smaller than theirs.
        if (!t->HasMipmaps()) {
            MakeMipmaps(0, t);
            shadow_.dirty |= kDirtyTextures;
        }
    }
    const Rect r = src ? *src : Rect{0, 0, t->Width(), t->Height()};
    const float w = float(r.right - r.left) * scaleX, h = float(r.bottom - r.top) * scaleY;
    const float u0 = float(r.left) / t->Width(), u1 = float(r.right) / t->Width();
    const float v0 = float(r.top) / t->Height(), v1 = float(r.bottom) / t->Height();
    const SpriteVertex a{x, y, u0, v0, colour}, b{x + w, y, u1, v0, colour};
    const SpriteVertex c{x + w, y + h, u1, v1, colour}, d{x, y + h, u0, v1, colour};
    spriteVertices_.insert(spriteVertices_.end(), {a, b, c, a, c, d});
}

void GlDevice::FlushSprites() {
    if (spriteVertices_.empty()) return;
    gl_.UseProgram(programs_.sprite);
    gl_.BindVertexArray(spriteVao_);
    gl_.Enable(GL_DEPTH_TEST, false);
    gl_.Enable(GL_CULL_FACE, false);
    gl_.Enable(GL_STENCIL_TEST, false);
    gl_.Enable(GL_BLEND, true);
    gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl_.BindTexture(0, spriteTexture_);
    gl_.BindSampler(0, spriteSampler_);
    gl_.BindBuffer(GL_ARRAY_BUFFER, spriteBuffer_);
    const auto bytes = GLsizeiptr(spriteVertices_.size() * sizeof(SpriteVertex));
    Call([&] { glBufferData(GL_ARRAY_BUFFER, bytes, spriteVertices_.data(), GL_STREAM_DRAW); });
    Call([&] { glDrawArrays(GL_TRIANGLES, 0, GLsizei(spriteVertices_.size())); });
    ++stats_.drawCalls;
    spriteVertices_.clear();
    // The 3D states are the game's; the next 3D draw puts back what the sprites changed.
    shadow_.dirty |= kDirtyRaster | kDirtyTextures | kDirtySamplers;
}

} // namespace gpu
