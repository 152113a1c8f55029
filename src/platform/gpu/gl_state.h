#pragma once
// A copy of the GL state the device has set, so that a value GL already holds is never sent
// again. Every GL call made through it is counted.
#include <epoxy/gl.h>

#include <cstdint>

namespace gpu {

class GlState {
  public:
    explicit GlState(uint64_t& calls) : calls_(calls) {}

    void Enable(GLenum cap, bool on) {
        bool& slot = Slot(cap);
        if (slot == on) return;
        slot = on;
        ++calls_;
        on ? glEnable(cap) : glDisable(cap);
    }
    void DepthMask(bool on) {
        if (depthMask_ == on) return;
        depthMask_ = on;
        ++calls_;
        glDepthMask(on ? GL_TRUE : GL_FALSE);
    }
    void DepthFunc(GLenum f) {
        if (depthFunc_ == f) return;
        depthFunc_ = f;
        ++calls_;
        glDepthFunc(f);
    }
    void CullFace(GLenum f) {
        if (cullFace_ == f) return;
        cullFace_ = f;
        ++calls_;
        glCullFace(f);
    }
    void BlendFunc(GLenum src, GLenum dst) {
        if (blendSrc_ == src && blendDst_ == dst) return;
        blendSrc_ = src, blendDst_ = dst;
        ++calls_;
        glBlendFunc(src, dst);
    }
    void StencilFunc(GLenum f, GLint ref) {
        if (stencilFunc_ == f && stencilRef_ == ref) return;
        stencilFunc_ = f, stencilRef_ = ref;
        ++calls_;
        glStencilFunc(f, ref, 0xFF);
    }
    void StencilOp(GLenum fail, GLenum zfail, GLenum pass) {
        if (stencilOps_[0] == fail && stencilOps_[1] == zfail && stencilOps_[2] == pass) return;
        stencilOps_[0] = fail, stencilOps_[1] = zfail, stencilOps_[2] = pass;
        ++calls_;
        glStencilOp(fail, zfail, pass);
    }
    void UseProgram(GLuint p) {
        if (program_ == p) return;
        program_ = p;
        ++calls_;
        glUseProgram(p);
    }
    void BindVertexArray(GLuint v) {
        if (vao_ == v) return;
        vao_ = v;
        ++calls_;
        glBindVertexArray(v);
    }
    void BindTexture(int unit, GLuint t) {
        if (texture_[unit] == t) return;
        ActiveUnit(unit);
        texture_[unit] = t;
        ++calls_;
        glBindTexture(GL_TEXTURE_2D, t);
    }
    void BindSampler(int unit, GLuint s) {
        if (sampler_[unit] == s) return;
        sampler_[unit] = s;
        ++calls_;
        glBindSampler(unit, s);
    }
    void BindBuffer(GLenum target, GLuint b) {
        GLuint& slot = target == GL_UNIFORM_BUFFER ? uniformBuffer_ : arrayBuffer_;
        if (slot == b) return;
        slot = b;
        ++calls_;
        glBindBuffer(target, b);
    }
    void Uniform1i(GLint location, int value, int& cached) {
        if (cached == value) return;
        cached = value;
        ++calls_;
        glUniform1i(location, value);
    }
    // GL forgets names it deletes; so must this copy.
    void ForgetTexture(GLuint t) {
        for (auto& slot : texture_)
            if (slot == t) slot = 0;
    }
    void ForgetVertexArray(GLuint v, GLuint buffer) {
        if (vao_ == v) vao_ = 0;
        if (arrayBuffer_ == buffer) arrayBuffer_ = 0;
    }
    GLuint Program() const { return program_; }

    // Another user of the context may have changed anything: make GL hold what this copy
    // says again, every value sent whether or not GL already has it.
    void Reapply() {
        static constexpr GLenum caps[4] = {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_STENCIL_TEST};
        for (int i = 0; i < 4; ++i) enables_[i] ? glEnable(caps[i]) : glDisable(caps[i]);
        glDepthMask(depthMask_ ? GL_TRUE : GL_FALSE);
        glDepthFunc(depthFunc_);
        glCullFace(cullFace_);
        glBlendFunc(blendSrc_, blendDst_);
        glStencilFunc(stencilFunc_, stencilRef_, 0xFF);
        glStencilOp(stencilOps_[0], stencilOps_[1], stencilOps_[2]);
        glUseProgram(program_);
        glBindVertexArray(vao_);
        for (int unit = 0; unit < 2; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, texture_[unit]);
            glBindSampler(unit, sampler_[unit]);
        }
        glActiveTexture(GL_TEXTURE0 + activeUnit_);
        glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffer_);
        glBindBuffer(GL_ARRAY_BUFFER, arrayBuffer_);
        calls_ += 22;
    }

  private:
    // GL's own initial values: the context must be fresh, and the device the only caller.
    uint64_t& calls_;
    bool enables_[4] = {};
    bool depthMask_ = true;
    GLenum depthFunc_ = GL_LESS, cullFace_ = GL_BACK, blendSrc_ = GL_ONE, blendDst_ = GL_ZERO;
    GLenum stencilFunc_ = GL_ALWAYS;
    GLint stencilRef_ = 0;
    GLenum stencilOps_[3] = {GL_KEEP, GL_KEEP, GL_KEEP};
    GLuint program_ = 0, vao_ = 0, uniformBuffer_ = 0, arrayBuffer_ = 0;
    GLuint texture_[2] = {}, sampler_[2] = {};
    int activeUnit_ = 0;

    bool& Slot(GLenum cap) {
        switch (cap) {
        case GL_DEPTH_TEST:
            return enables_[0];
        case GL_CULL_FACE:
            return enables_[1];
        case GL_BLEND:
            return enables_[2];
        default:
            return enables_[3]; // GL_STENCIL_TEST
        }
    }
    void ActiveUnit(int unit) {
        if (activeUnit_ == unit) return;
        activeUnit_ = unit;
        ++calls_;
        glActiveTexture(GL_TEXTURE0 + unit);
    }
};

} // namespace gpu
