// Questions about the GL driver, asked before any device exists.
#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>

#include "platform/gpu/gl_device.h"
#include "platform/window.h"

namespace gpu {

// True when a 64 x 64 framebuffer with this depth format is complete.
static bool DepthFormatWorks(GLenum format) {
    GLuint framebuffer = 0, colour = 0, depth = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glGenRenderbuffers(1, &depth);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 64, 64);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, format, 64, 64);
    const bool packed = format == GL_DEPTH24_STENCIL8;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
                              packed ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, depth);
    const bool works = glGetError() == GL_NO_ERROR &&
                       glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    return works;
}

bool QueryDriverCaps(DriverCaps& caps) {
    caps = {};
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    bool answered = false;
    {
        window::Window probe("caps");
        window::WindowRequest request;
        request.width = request.height = 64;
        request.hidden = true;
        if (probe.Open(request) == window::OpenResult::Ok) {
            while (glGetError() != GL_NO_ERROR) {
            }
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &caps.maxTextureSize);
            GLint renderbuffer = 0;
            GLint viewport[2] = {};
            glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
            glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
            caps.maxBackBufferSize = std::min({renderbuffer, viewport[0], viewport[1]});
            caps.depth16 = DepthFormatWorks(GL_DEPTH_COMPONENT16);
            caps.depth24 = DepthFormatWorks(GL_DEPTH_COMPONENT24);
            caps.depth32 =
                DepthFormatWorks(GL_DEPTH_COMPONENT32) || DepthFormatWorks(GL_DEPTH_COMPONENT32F);
            caps.depth24Stencil8 = DepthFormatWorks(GL_DEPTH24_STENCIL8);
            answered = true;
        }
    }
    if (previousContext) SDL_GL_MakeCurrent(previousWindow, previousContext);
    return answered;
}

} // namespace gpu
