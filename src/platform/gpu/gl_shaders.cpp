#include "platform/gpu/gl_shaders.h"

#include <string>

namespace gpu {

namespace {

// The only place where the device's left-handed clip space becomes GL's: the half-pixel
// shift makes integer screen coordinates pixel centres as the game expects, and without
// glClipControl depth 0..w becomes -w..w.
constexpr const char* kClipConversion = R"(
vec4 ToGlClip(vec4 c, vec2 halfPixel)
{
    c.xy += halfPixel * c.w;
#if !CLIP_CONTROL
    c.z = 2.0 * c.z - c.w;
#endif
    return c;
}
)";

constexpr const char* kSceneBlock = R"(
layout(std140) uniform State {
    mat4 uProjection;
    vec4 uMaterialDiffuse, uMaterialAmbient, uMaterialEmissive;
    vec4 uAmbient;
    vec4 uTextureFactor;
    vec4 uLightDiffuse[8], uLightAmbient[8], uLightVector[8], uLightFalloff[8];
    ivec4 uMisc;
    vec4 uHalfPixel;
    vec4 uTexel[2];
};
)";

// Matrices arrive as the game wrote them (row vectors); read column-major they are their
// transposes, so M * v here is v * M there.
constexpr const char* kSceneVertex = R"(
layout(std140) uniform Palette {
    mat4 uWorldView[PALETTE];  // world i x view, for blended vertices
};
uniform mat4 uPlain[2];        // ((world 0 x view)^-1)^T and world 0 x view, for the rest
uniform int uBlendMode;        // blended: 1 an indexed pair, 2 matrices 0 and 1

layout(location = 0) in vec3 aPosition;
layout(location = 1) in float aWeight;
layout(location = 2) in uvec4 aBones;
layout(location = 3) in vec3 aNormal;
layout(location = 4) in vec2 aUV;
out vec4 vDiffuse;
out vec2 vUV;

void main()
{
    vec4 p = vec4(aPosition, 1.0);
#if BLENDED
    uvec2 i = uBlendMode == 1 ? min(aBones.xy, uvec2(PALETTE - 1)) : uvec2(0u, 1u);
    float w = aWeight;
    // Blended normals use the matrices themselves, as fixed-function blending does.
    vec4 P = (uWorldView[i.x] * p) * w + (uWorldView[i.y] * p) * (1.0 - w);
    vec3 N = mat3(uWorldView[i.x]) * aNormal * w + mat3(uWorldView[i.y]) * aNormal * (1.0 - w);
#else
    vec4 P = uPlain[1] * p;
    vec3 N = mat3(uPlain[0]) * aNormal;
#endif
    gl_Position = ToGlClip(uProjection * P, uHalfPixel.xy);
    vUV = aUV;
#if !LIT
    vDiffuse = vec4(1.0);
#else
    vec3 ambient = vec3(0.0), diffuse = vec3(0.0);
    for (int i = 0; i < uMisc.x; ++i) {
        float attenuation = 1.0;
        vec3 L = uLightVector[i].xyz;
        if (uLightVector[i].w < 2.0) {
            vec3 v = uLightVector[i].xyz - P.xyz;
            float d = length(v);
            if (d > uLightFalloff[i].x) continue; // beyond its range a light gives nothing at all
            float f = uLightFalloff[i].y + uLightFalloff[i].z * d + uLightFalloff[i].w * d * d;
            if (f <= 0.0) continue;
            attenuation = 1.0 / f;
            L = d > 0.0 ? v / d : vec3(0.0);
        }
        ambient += uLightAmbient[i].rgb * attenuation;
        diffuse += uLightDiffuse[i].rgb * clamp(dot(N, L), 0.0, 1.0) * attenuation;
    }
    vec3 rgb = uMaterialEmissive.rgb + uMaterialAmbient.rgb * (uAmbient.rgb + ambient) +
               uMaterialDiffuse.rgb * diffuse;
    vDiffuse = vec4(clamp(rgb, 0.0, 1.0), clamp(uMaterialDiffuse.a, 0.0, 1.0));
#endif
}
)";

constexpr const char* kSpriteVertex = R"(
uniform mat4 uSpriteProjection;
uniform vec2 uSpriteHalfPixel;
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aUV;
layout(location = 2) in vec4 aColour;
out vec2 vUV;
out vec4 vColour;
void main()
{
    gl_Position = ToGlClip(uSpriteProjection * vec4(aPosition, 0.0, 1.0), uSpriteHalfPixel);
    vUV = aUV;
    vColour = aColour;
}
)";

constexpr const char* kSpriteFragment = R"(
uniform sampler2D uTexture0;
in vec2 vUV;
in vec4 vColour;
out vec4 oColour;
void main()
{
    vec4 c = texture(uTexture0, vUV) * vColour;
    if (c.a < 0.5 / 255.0) discard; // sprites test alpha > 0
    oColour = c;
}
)";

GLuint Compile(GLenum kind, const std::string& source, std::string& log) {
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char buffer[2048] = {};
        glGetShaderInfoLog(shader, sizeof buffer - 1, nullptr, buffer);
        log += buffer;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint Link(const std::string& header, const std::string& vertex, const std::string& fragment,
            std::string& log) {
    const GLuint vs = Compile(GL_VERTEX_SHADER, header + vertex, log);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, header + fragment, log);
    GLuint program = 0;
    if (vs && fs) {
        program = glCreateProgram();
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        GLint ok = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            char buffer[2048] = {};
            glGetProgramInfoLog(program, sizeof buffer - 1, nullptr, buffer);
            log += buffer;
            glDeleteProgram(program);
            program = 0;
        }
    }
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    return program;
}

} // namespace

bool BuildPrograms(bool clipControl, int paletteSize, GlPrograms& programs, std::string& log) {
    programs.header = std::string("#version 330 core\n#define CLIP_CONTROL ") +
                      (clipControl ? "1" : "0") + "\n#define PALETTE " +
                      std::to_string(paletteSize) + "\n" + kClipConversion;
    programs.sprite = Link(programs.header, kSpriteVertex, kSpriteFragment, log);
    // The program of the states a device starts with: a driver that cannot build it cannot
    // build any.
    if (!programs.sprite || !SceneProgramFor(programs, 0, log)) {
        DeletePrograms(programs);
        return false;
    }
    const GLuint sprite = programs.sprite;
    programs.spriteProjectionLocation = glGetUniformLocation(sprite, "uSpriteProjection");
    programs.spriteHalfPixelLocation = glGetUniformLocation(sprite, "uSpriteHalfPixel");
    glUseProgram(sprite);
    glUniform1i(glGetUniformLocation(sprite, "uTexture0"), 0);
    glUseProgram(0);
    return true;
}

SceneProgram* SceneProgramFor(GlPrograms& programs, SceneKey key, std::string& log) {
    if (auto it = programs.scene.find(key); it != programs.scene.end()) return &it->second;
    const std::string defines = std::string("#define LIT ") + (SceneKeyLit(key) ? "1" : "0") +
                                "\n#define BLENDED " + (SceneKeyBlended(key) ? "1" : "0") + "\n";
    const GLuint program =
        Link(programs.header + kSceneBlock + defines, kSceneVertex, SceneFragmentSource(key), log);
    if (!program) return nullptr;
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUniformBlockBinding(program, glGetUniformBlockIndex(program, "State"), kStateBinding);
    const GLuint palette = glGetUniformBlockIndex(program, "Palette");
    if (palette != GL_INVALID_INDEX) glUniformBlockBinding(program, palette, kPaletteBinding);
    SceneProgram& p = programs.scene[key];
    p.program = program;
    p.blendModeLocation = glGetUniformLocation(program, "uBlendMode");
    p.plainMatricesLocation = glGetUniformLocation(program, "uPlain");
    glUseProgram(program);
    for (const char* name : {"uTexture0", "uTexture1"})
        if (const GLint at = glGetUniformLocation(program, name); at >= 0)
            glUniform1i(at, name[8] - '0');
    glUniform1i(p.blendModeLocation, 0);
    glUseProgram(GLuint(current));
    return &p;
}

void DeletePrograms(GlPrograms& programs) {
    for (auto& [key, p] : programs.scene) glDeleteProgram(p.program);
    if (programs.sprite) glDeleteProgram(programs.sprite);
    programs = {};
}

} // namespace gpu
