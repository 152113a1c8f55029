#include "platform/gpu/gl_device.h"

#include <algorithm>
#include <cstring>

#include "platform/gpu/fitrect.h"
#include "platform/gpu/gl_device_impl.h"
#include "platform/gpu/scene_key.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"

namespace gpu {

namespace {

// Device numbers to GL enums. Blend, Compare and StencilOp start at 1.
constexpr GLenum kBlendFactors[] = {
    GL_ZERO, GL_ONE, GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
constexpr GLenum kCompares[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
// IncrSat and DecrSat saturate (GL_INCR, GL_DECR); Incr and Decr wrap.
constexpr GLenum kStencilOps[] = {GL_KEEP, GL_ZERO,   GL_REPLACE,   GL_INCR,
                                  GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};

template <size_t N> GLenum Lookup(const GLenum (&table)[N], uint32_t number, GLenum fallback) {
    return number >= 1 && number <= N ? table[number - 1] : fallback;
}

void ToFloats(Argb c, float out[4]) {
    out[0] = float((c >> 16) & 255) / 255.0f;
    out[1] = float((c >> 8) & 255) / 255.0f;
    out[2] = float(c & 255) / 255.0f;
    out[3] = float(c >> 24) / 255.0f;
}

void ToFloats(const ColourValue& c, float out[4]) {
    out[0] = c.r, out[1] = c.g, out[2] = c.b, out[3] = c.a;
}

// ((m)^-1)^T of the upper 3 x 3, by cofactors; identity when singular.
Matrix NormalMatrix(const Matrix& m) {
    const auto& a = m.m;
    const float c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    const float c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    const float c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    const float det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    Matrix r = MatrixIdentity();
    if (det == 0) return r;
    const float inv = 1.0f / det;
    r.m[0][0] = c00 * inv, r.m[0][1] = c01 * inv, r.m[0][2] = c02 * inv;
    r.m[1][0] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) * inv;
    r.m[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * inv;
    r.m[1][2] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) * inv;
    r.m[2][0] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) * inv;
    r.m[2][1] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) * inv;
    r.m[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) * inv;
    return r;
}

} // namespace

std::unique_ptr<Device> CreateGlDevice(window::Window& window, const BackBufferFormat& format,
                                       DeviceError& error) {
    error = DeviceError::Other;
    if (!window.IsOpen()) return nullptr;
    auto device = std::make_unique<GlDevice>(window);
    error = device->Start(format);
    if (error != DeviceError::None) return nullptr;
    return device;
}

unsigned GlBackFramebuffer(const Device& device) {
    const auto* gl = dynamic_cast<const GlDevice*>(&device);
    return gl ? gl->BackFramebuffer() : 0;
}

void ReclaimGlContext(Device& device) {
    if (auto* gl = dynamic_cast<GlDevice*>(&device)) gl->Reclaim();
}

GlDevice::GlDevice(window::Window& window)
    : window_(window), life_(std::make_shared<GlLife>()), gl_(stats_.backendCalls) {
    life_->device = this;
}

GlDevice::~GlDevice() {
    if (!window_.IsOpen()) { // the context is gone, and every GL name with it
        life_->device = nullptr;
        return;
    }
    for (auto& [key, sampler] : samplers_) glDeleteSamplers(1, &sampler);
    if (spriteSampler_) glDeleteSamplers(1, &spriteSampler_);
    if (spriteVao_) glDeleteVertexArrays(1, &spriteVao_);
    if (spriteBuffer_) glDeleteBuffers(1, &spriteBuffer_);
    if (stateBuffer_) glDeleteBuffers(1, &stateBuffer_);
    if (paletteBuffer_) glDeleteBuffers(1, &paletteBuffer_);
    glDeleteFramebuffers(2, framebuffers_);
    glDeleteRenderbuffers(2, colourBuffers_);
    if (depthBuffer_) glDeleteRenderbuffers(1, &depthBuffer_);
    DeletePrograms(programs_);
    life_->device = nullptr;
}

DeviceError GlDevice::Start(const BackBufferFormat& format) {
    GLint maxBlock = 0;
    glGetIntegerv(GL_MAX_UNIFORM_BLOCK_SIZE, &maxBlock);
    paletteSize_ = std::min(kMaxWorldMatrices, int(maxBlock / 64));
    if (paletteSize_ < 2) return DeviceError::NotAvailable;
    const bool hasClipControl =
        epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
    clipControl_ = format.useClipControl && hasClipControl;
    // Set either way: the context may have served an earlier device that chose otherwise.
    if (hasClipControl)
        glClipControl(GL_LOWER_LEFT, clipControl_ ? GL_ZERO_TO_ONE : GL_NEGATIVE_ONE_TO_ONE);

    std::string log;
    if (!BuildPrograms(clipControl_, paletteSize_, programs_, log))
        return DeviceError::NotAvailable;
    if (const DeviceError e = MakeBackBuffers(format); e != DeviceError::None) return e;

    // Fixed for the device's life: clockwise front faces, no dithering, full-target viewport.
    glFrontFace(GL_CW);
    glDisable(GL_DITHER);
    glViewport(0, 0, width_, height_);

    glGenBuffers(1, &stateBuffer_);
    glBindBuffer(GL_UNIFORM_BUFFER, stateBuffer_);
    glBufferData(GL_UNIFORM_BUFFER, sizeof(SceneBlock), nullptr, GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, kStateBinding, stateBuffer_);
    glGenBuffers(1, &paletteBuffer_);
    glBindBuffer(GL_UNIFORM_BUFFER, paletteBuffer_);
    glBufferData(GL_UNIFORM_BUFFER, 64 * paletteSize_, nullptr, GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, kPaletteBinding, paletteBuffer_);
    paletteStaging_.resize(16 * (paletteSize_ + 1));

    glGenVertexArrays(1, &spriteVao_);
    glGenBuffers(1, &spriteBuffer_);
    glBindVertexArray(spriteVao_);
    glBindBuffer(GL_ARRAY_BUFFER, spriteBuffer_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(SpriteVertex), (void*)0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(SpriteVertex), (void*)8);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(SpriteVertex), (void*)16);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glGenSamplers(1, &spriteSampler_);
    glSamplerParameteri(spriteSampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(spriteSampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(spriteSampler_, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(spriteSampler_, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const Matrix spriteProjection =
        MatrixOrthoOffCenterLH(0.5f, width_ + 0.5f, height_ + 0.5f, 0.5f, 0, 1);
    glUseProgram(programs_.sprite);
    glUniformMatrix4fv(programs_.spriteProjectionLocation, 1, GL_FALSE, &spriteProjection.m[0][0]);
    glUniform2f(programs_.spriteHalfPixelLocation, 1.0f / width_, -1.0f / height_);
    glUseProgram(0);

    // The state copy assumes GL's initial values; make sure of them.
    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_STENCIL_TEST}) glDisable(cap);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glCullFace(GL_BACK);
    glBlendFunc(GL_ONE, GL_ZERO);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilMask(0xFF);
    for (int unit = 1; unit >= 0; --unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindSampler(unit, 0);
    }

    // Both buffers start black, so a screenshot before the first frame is a black picture.
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    straightPossible_ = format.presentStraight && format.colourBits == 32 && WindowBuffersMatch();
    ChooseDrawTarget();
    const GLenum problem = glGetError();
    if (problem == GL_OUT_OF_MEMORY) return DeviceError::OutOfVideoMemory;
    return problem == GL_NO_ERROR ? DeviceError::None : DeviceError::NotAvailable;
}

DeviceError GlDevice::MakeBackBuffers(const BackBufferFormat& format) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
    if (format.width <= 0 || format.height <= 0 || format.width > maxSize ||
        format.height > maxSize)
        return DeviceError::InvalidCall;
    width_ = format.width;
    height_ = format.height;
    while (glGetError() != GL_NO_ERROR) {
    }

    // Depth formats in order of preference; the first one the driver completes is used.
    std::vector<GLenum> depthChoices;
    if (format.stencilBits > 0)
        depthChoices = {GL_DEPTH24_STENCIL8, GL_DEPTH32F_STENCIL8};
    else if (format.depthBits > 24)
        depthChoices = {GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT24,
                        GL_DEPTH24_STENCIL8};
    else if (format.depthBits > 16)
        depthChoices = {GL_DEPTH_COMPONENT24, GL_DEPTH24_STENCIL8, GL_DEPTH_COMPONENT32F};
    else if (format.depthBits > 0)
        depthChoices = {GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT24, GL_DEPTH24_STENCIL8};
    const GLenum colourChoices[] = {format.colourBits == 16 ? GLenum(GL_RGB565) : GLenum(GL_RGBA8),
                                    GL_RGBA8};

    glGenFramebuffers(2, framebuffers_);
    glGenRenderbuffers(2, colourBuffers_);
    for (GLenum colourFormat : colourChoices) {
        for (int i = 0; i < 2; ++i) {
            glBindRenderbuffer(GL_RENDERBUFFER, colourBuffers_[i]);
            glRenderbufferStorage(GL_RENDERBUFFER, colourFormat, width_, height_);
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                      colourBuffers_[i]);
        }
        if (glGetError() == GL_OUT_OF_MEMORY) return DeviceError::OutOfVideoMemory;
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) break;
    }
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return DeviceError::NotAvailable;

    if (depthChoices.empty()) return DeviceError::None;
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    for (GLenum depthFormat : depthChoices) {
        glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width_, height_);
        if (glGetError() == GL_OUT_OF_MEMORY) return DeviceError::OutOfVideoMemory;
        const bool packed =
            depthFormat == GL_DEPTH24_STENCIL8 || depthFormat == GL_DEPTH32F_STENCIL8;
        bool complete = true;
        for (int i = 0; i < 2; ++i) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                      depthBuffer_);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                      packed ? depthBuffer_ : 0);
            complete =
                complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        }
        if (!complete) continue;
        GLint depth = 0, stencil = 0;
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_DEPTH_SIZE, &depth);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_STENCIL_SIZE, &stencil);
        depthBits_ = depth;
        stencilBits_ = stencil;
        return DeviceError::None;
    }
    return DeviceError::NotAvailable;
}

void GlDevice::Reclaim() {
    FlushSprites();
    // What Start set once for the device's life, then everything the state copy holds.
    if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control"))
        glClipControl(GL_LOWER_LEFT, clipControl_ ? GL_ZERO_TO_ONE : GL_NEGATIVE_ONE_TO_ONE);
    glBindFramebuffer(GL_FRAMEBUFFER, BackFramebuffer());
    glViewport(0, 0, width_, height_);
    glFrontFace(GL_CW);
    glDisable(GL_DITHER);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xFF);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBlendEquation(GL_FUNC_ADD);
    glBindBufferBase(GL_UNIFORM_BUFFER, kStateBinding, stateBuffer_);
    glBindBufferBase(GL_UNIFORM_BUFFER, kPaletteBinding, paletteBuffer_);
    stats_.backendCalls += 14;
    gl_.Reapply();
}

void GlDevice::BeginScene() {}

void GlDevice::EndScene() {
    FlushSprites();
}

bool GlDevice::WindowBuffersMatch() const {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint red = 0, green = 0, blue = 0, depth = 0, stencil = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT,
                                          GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE, &red);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT,
                                          GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE, &green);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT,
                                          GL_FRAMEBUFFER_ATTACHMENT_BLUE_SIZE, &blue);
    // A window without a depth or stencil buffer makes these queries fail; errors are
    // cleared so that they count as 0 and the start's own check stays clean.
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH,
                                          GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depth);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL,
                                          GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &stencil);
    while (glGetError() != GL_NO_ERROR) {
    }
    return red == 8 && green == 8 && blue == 8 && depth == depthBits_ && stencil == stencilBits_;
}

// Straight into the window when it shows the picture one to one; a scaled window (full
// screen on a larger desktop, a window the player resized) gets the copy.
void GlDevice::ChooseDrawTarget() {
    drawingStraight_ = straightPossible_ && window_.Watched() &&
                       window_.DrawableWidth() == width_ && window_.DrawableHeight() == height_;
    const GLuint target = BackFramebuffer();
    Call([&] { glBindFramebuffer(GL_FRAMEBUFFER, target); });
}

void GlDevice::Present() {
    FlushSprites();
    if (drawingStraight_) {
        Call([&] { window_.SwapBuffers(); });
        shownStraight_ = true;
        ChooseDrawTarget();
        return;
    }
    shownStraight_ = false;
    if (!window_.Watched()) { // the frame is only ever read back: no copy to the window
        back_ = 1 - back_;
        ChooseDrawTarget();
        return;
    }
    // One copy to the window: scaled with its shape kept, black where it does not reach.
    // The window may differ from the mode (full screen on the desktop, a resized window).
    const int w = window_.DrawableWidth(), h = window_.DrawableHeight();
    const FittedRect to = FitRect(width_, height_, w, h);
    Call([&] { glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffers_[back_]); });
    Call([&] { glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0); });
    if (to.width != w || to.height != h) {
        // Clear sets its own colour every time, so borrowing the clear colour is safe.
        Call([&] { glClearColor(0, 0, 0, 1); });
        Call([&] { glClear(GL_COLOR_BUFFER_BIT); });
    }
    if (to.width > 0) {
        const bool same = to.width == width_ && to.height == height_;
        const int bottom = h - to.y - to.height; // GL counts rows from the bottom
        Call([&] {
            glBlitFramebuffer(0, 0, width_, height_, to.x, bottom, to.x + to.width,
                              bottom + to.height, GL_COLOR_BUFFER_BIT,
                              same ? GL_NEAREST : GL_LINEAR);
        });
    }
    Call([&] { window_.SwapBuffers(); });
    back_ = 1 - back_;
    ChooseDrawTarget();
}

void GlDevice::Clear(uint32_t flags, Argb colour, float z, uint32_t stencil) {
    FlushSprites();
    GLbitfield bits = 0;
    if (flags & ClearTarget) {
        float c[4];
        ToFloats(colour, c);
        Call([&] { glClearColor(c[0], c[1], c[2], 1.0f); });
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & ClearZBuffer) && depthBits_ > 0) {
        Call([&] { glClearDepth(std::clamp(z, 0.0f, 1.0f)); });
        gl_.DepthMask(true); // a clear ignores the depth-write state
        shadow_.dirty |= kDirtyRaster;
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & ClearStencil) && stencilBits_ > 0) {
        Call([&] { glClearStencil(GLint(stencil)); });
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    if (bits) Call([&] { glClear(bits); });
}

bool GlDevice::ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) {
    pixels.clear();
    if (shownStraight_) return false; // gone into the window (ShowsFramesStraight)
    return ReadFramebuffer(framebuffers_[1 - back_], pixels, width, height);
}

bool GlDevice::ReadDrawnFrame(std::vector<uint32_t>& pixels, int& width, int& height) {
    return ReadFramebuffer(BackFramebuffer(), pixels, width, height);
}

bool GlDevice::ReadFramebuffer(GLuint framebuffer, std::vector<uint32_t>& pixels, int& width,
                               int& height) {
    FlushSprites();
    while (glGetError() != GL_NO_ERROR) { // only this read's own errors count below
    }
    pixels.assign(size_t(width_) * size_t(height_), 0);
    Call([&] { glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer); });
    Call([&] { glPixelStorei(GL_PACK_ALIGNMENT, 4); });
    Call([&] { glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data()); });
    const GLuint back = BackFramebuffer();
    Call([&] { glBindFramebuffer(GL_READ_FRAMEBUFFER, back); });
    if (glGetError() != GL_NO_ERROR) {
        pixels.clear();
        return false;
    }
    // GL reads bottom row first; callers get the screen's top row first, always opaque.
    for (int y = 0; y < height_ / 2; ++y)
        std::swap_ranges(pixels.begin() + size_t(y) * width_,
                         pixels.begin() + size_t(y + 1) * width_,
                         pixels.begin() + size_t(height_ - 1 - y) * width_);
    for (auto& p : pixels) p |= 0xFF000000u;
    width = width_;
    height = height_;
    return true;
}

void GlDevice::DrawTriangleList(int firstVertex, int triangleCount) {
    FlushSprites();
    if (!stream_ || firstVertex < 0 || triangleCount <= 0) return;
    if (int64_t(firstVertex) + int64_t(triangleCount) * 3 > stream_->VertexCount()) return;
    const bool skinned = stream_->Format() == VertexFormat::Skinned;
    int mode = 0;
    if (skinned && shadow_.Get(RenderState::VertexBlend) == 1)
        mode = shadow_.Get(RenderState::IndexedVertexBlendEnable) ? 1 : 2;
    const bool blended = mode != 0;
    if (!scene_ || (shadow_.dirty & kDirtyProgram) || blended != sceneBlended_) {
        std::string log;
        const SceneKey key = SceneKeyOf(shadow_);
        scene_ = SceneProgramFor(programs_, blended ? WithBlendedVertices(key) : key, log);
        sceneBlended_ = blended;
        if (!scene_) return;
    }
    gl_.UseProgram(scene_->program);
    gl_.BindVertexArray(stream_->Vao());
    gl_.Uniform1i(scene_->blendModeLocation, mode, scene_->blendModeSent);
    SendState(blended);
    Call([&] { glDrawArrays(GL_TRIANGLES, firstVertex, triangleCount * 3); });
    ++stats_.drawCalls;
}

void GlDevice::SendState(bool blending) {
    const uint32_t dirty = shadow_.dirty;
    if (dirty & kDirtyRaster) SendRaster();
    if (dirty & kDirtyUniforms) SendUniforms();
    SendMatrices(blending);
    if (dirty & kDirtyTextures) SendTextures();
    if (dirty & kDirtySamplers) SendSamplers();
    if (dirty & (kDirtyTextures | kDirtySamplers))
        for (int s = 0; s < kMaxStages; ++s) {
            const auto* t = static_cast<const GlTexture*>(shadow_.textures[s]);
            if (t && !t->HasMipmaps() &&
                shadow_.Get(s, StageState::MipFilter) != uint32_t(TextureFilter::None))
                MakeMipmaps(s, t);
        }
    shadow_.dirty = 0;
}

void GlDevice::SendRaster() {
    gl_.Enable(GL_DEPTH_TEST, shadow_.Get(RenderState::ZEnable) != 0);
    gl_.DepthMask(shadow_.Get(RenderState::ZWriteEnable) != 0);
    gl_.DepthFunc(Lookup(kCompares, shadow_.Get(RenderState::ZFunc), GL_LEQUAL));
    const auto cull = Cull(shadow_.Get(RenderState::CullMode));
    gl_.Enable(GL_CULL_FACE, cull == Cull::Cw || cull == Cull::Ccw);
    // Front faces are clockwise (glFrontFace(GL_CW)): culling counter-clockwise ones culls backs.
    if (cull == Cull::Ccw) gl_.CullFace(GL_BACK);
    if (cull == Cull::Cw) gl_.CullFace(GL_FRONT);
    const bool blend = shadow_.Get(RenderState::AlphaBlendEnable) != 0;
    gl_.Enable(GL_BLEND, blend);
    if (blend)
        gl_.BlendFunc(Lookup(kBlendFactors, shadow_.Get(RenderState::SrcBlend), GL_ONE),
                      Lookup(kBlendFactors, shadow_.Get(RenderState::DestBlend), GL_ZERO));
    const bool stencil = shadow_.Get(RenderState::StencilEnable) != 0 && stencilBits_ > 0;
    gl_.Enable(GL_STENCIL_TEST, stencil);
    if (stencil) {
        gl_.StencilFunc(Lookup(kCompares, shadow_.Get(RenderState::StencilFunc), GL_ALWAYS),
                        GLint(shadow_.Get(RenderState::StencilRef)));
        gl_.StencilOp(Lookup(kStencilOps, shadow_.Get(RenderState::StencilFail), GL_KEEP),
                      Lookup(kStencilOps, shadow_.Get(RenderState::StencilZFail), GL_KEEP),
                      Lookup(kStencilOps, shadow_.Get(RenderState::StencilPass), GL_KEEP));
    }
}

void GlDevice::SendUniforms() {
    SceneBlock b{};
    std::memcpy(b.projection, &shadow_.projection, sizeof b.projection);
    const Material& m = shadow_.material;
    ToFloats(m.diffuse, b.materialDiffuse);
    ToFloats(m.ambient, b.materialAmbient);
    ToFloats(m.emissive, b.materialEmissive);
    ToFloats(shadow_.Get(RenderState::Ambient), b.ambient);
    ToFloats(shadow_.Get(RenderState::TextureFactor), b.textureFactor);
    // Lights go to view space here, with the view of this draw.
    int count = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if (!shadow_.lightOn[i]) continue;
        const Light& l = shadow_.lights[i];
        ToFloats(l.diffuse, b.lightDiffuse[count]);
        ToFloats(l.ambient, b.lightAmbient[count]);
        Vector3 v;
        if (l.type == LightType::Directional) {
            const Vector3 d = Normalize(TransformNormal(l.direction, shadow_.view));
            v = {-d.x, -d.y, -d.z};
        } else {
            v = TransformCoord(l.position, shadow_.view);
        }
        b.lightVector[count][0] = v.x, b.lightVector[count][1] = v.y, b.lightVector[count][2] = v.z;
        b.lightVector[count][3] = l.type == LightType::Directional ? 3.0f : 1.0f;
        b.lightFalloff[count][0] = l.range, b.lightFalloff[count][1] = l.attenuation0;
        b.lightFalloff[count][2] = l.attenuation1, b.lightFalloff[count][3] = l.attenuation2;
        ++count;
    }
    // Lighting on or off and the stage operations are the program's own (scene_key.h).
    b.misc[0] = count;
    b.halfPixel[0] = 1.0f / width_;
    b.halfPixel[1] = -1.0f / height_;
    for (int s = 0; s < kMaxStages; ++s) {
        Argb colour = 0;
        if (shadow_.textures[s] && shadow_.textures[s]->OneColour(colour))
            ToFloats(colour, b.texel[s]);
    }
    // New storage each time (orphaning) rather than rewriting it in place: a software
    // rasteriser that still has draws reading the old values queued would otherwise finish
    // drawing them before the call returns, once per change of state.
    gl_.BindBuffer(GL_UNIFORM_BUFFER, stateBuffer_);
    Call([&] { glBufferData(GL_UNIFORM_BUFFER, sizeof b, &b, GL_DYNAMIC_DRAW); });
}

void GlDevice::SendMatrices(bool blending) {
    // World i times the view sits in staging slot i + 1, the normal matrix of world 0 in slot 0.
    const int first = shadow_.paletteFirst, last = std::min(shadow_.paletteLast, paletteSize_ - 1);
    shadow_.MarkPaletteClean();
    for (int i = first; i <= last; ++i) {
        const Matrix wv = MatrixMultiply(shadow_.world[i], shadow_.view);
        std::memcpy(&paletteStaging_[16 * (i + 1)], &wv, sizeof wv);
        if (i == 0) {
            const Matrix n = NormalMatrix(wv);
            std::memcpy(&paletteStaging_[0], &n, sizeof n);
            ++plainVersion_;
        }
    }
    if (first <= last) {
        paletteFirst_ = std::min(paletteFirst_, first);
        paletteLast_ = std::max(paletteLast_, last);
    }
    // Unblended meshes (most of what is drawn) read two plain uniforms, the update path
    // drivers make cheapest between draws; the palette buffer is brought up to date only
    // when a blended draw reads it.
    if (!blending && scene_->plainSent != plainVersion_) {
        Call([&] {
            glUniformMatrix4fv(scene_->plainMatricesLocation, 2, GL_FALSE, &paletteStaging_[0]);
        });
        scene_->plainSent = plainVersion_;
    }
    if (blending && paletteFirst_ <= paletteLast_) {
        // New storage for the whole palette, as for the state block: rewriting storage
        // that draws still queued read makes a software rasteriser finish them first.
        gl_.BindBuffer(GL_UNIFORM_BUFFER, paletteBuffer_);
        Call([&] {
            glBufferData(GL_UNIFORM_BUFFER, 64 * paletteSize_, &paletteStaging_[16],
                         GL_DYNAMIC_DRAW);
        });
        paletteFirst_ = kMaxWorldMatrices;
        paletteLast_ = -1;
    }
}

void GlDevice::SendTextures() {
    for (int s = 0; s < kMaxStages; ++s) {
        const auto* t = static_cast<const GlTexture*>(shadow_.textures[s]);
        gl_.BindTexture(s, t ? t->Name() : 0);
    }
}

void GlDevice::SendSamplers() {
    for (int s = 0; s < kMaxStages; ++s) gl_.BindSampler(s, SamplerFor(s));
}

void GlDevice::MakeMipmaps(int unit, const GlTexture* texture) {
    gl_.BindTexture(unit, texture->Name());
    Call([&] { glGenerateMipmap(GL_TEXTURE_2D); });
    texture->MarkMipmaps();
}

GLuint GlDevice::SamplerFor(int stage) {
    const auto key = std::make_tuple(
        shadow_.Get(stage, StageState::AddressU), shadow_.Get(stage, StageState::AddressV),
        shadow_.Get(stage, StageState::MagFilter), shadow_.Get(stage, StageState::MinFilter),
        shadow_.Get(stage, StageState::MipFilter));
    if (auto it = samplers_.find(key); it != samplers_.end()) return it->second;
    auto address = [](uint32_t a) {
        return a == uint32_t(TextureAddress::Clamp)    ? GL_CLAMP_TO_EDGE
               : a == uint32_t(TextureAddress::Mirror) ? GL_MIRRORED_REPEAT
                                                       : GL_REPEAT;
    };
    const bool magLinear = std::get<2>(key) == uint32_t(TextureFilter::Linear);
    const bool minLinear = std::get<3>(key) == uint32_t(TextureFilter::Linear);
    const auto mip = TextureFilter(std::get<4>(key));
    GLenum minFilter = minLinear ? GL_LINEAR : GL_NEAREST;
    if (mip == TextureFilter::Point)
        minFilter = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mip == TextureFilter::Linear)
        minFilter = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    GLuint sampler = 0;
    Call([&] { glGenSamplers(1, &sampler); });
    Call([&] { glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, address(std::get<0>(key))); });
    Call([&] { glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, address(std::get<1>(key))); });
    Call([&] {
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
    });
    Call([&] { glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minFilter); });
    samplers_[key] = sampler;
    return sampler;
}

} // namespace gpu
