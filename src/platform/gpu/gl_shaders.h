#pragma once
// The GL programs of the device: the scene programs, which reproduce the fixed-function
// lighting, vertex blending and texture stages (one program for each stage set-up drawn
// with, made on first use), and the sprite program.
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/gpu/scene_key.h"

namespace gpu {

// Uniform block "State" of the scene program, in std140 layout (every member vec4-aligned).
struct SceneBlock {
    float projection[16];
    float materialDiffuse[4], materialAmbient[4], materialEmissive[4];
    float ambient[4];
    float textureFactor[4];
    float lightDiffuse[8][4], lightAmbient[8][4];
    float lightVector[8][4];  // xyz: view-space position (point) or direction towards the light
                              // (directional); w: 1 point, 3 directional
    float lightFalloff[8][4]; // range, a0, a1, a2
    int32_t misc[4];          // number of lights
    float halfPixel[4];       // xy: the pixel-centre shift to GL's in clip units
    float texel[2][4];        // the colour of each stage's texture when it has only one
};
static_assert(sizeof(SceneBlock) == 720);

constexpr GLuint kStateBinding = 0, kPaletteBinding = 1;

// One scene program and the values its own uniforms hold (uniforms belong to a program).
struct SceneProgram {
    GLuint program = 0;
    GLint blendModeLocation = -1;     // 0 world 0, 1 indexed pair, 2 matrices 0 and 1
    GLint plainMatricesLocation = -1; // normal matrix and world 0 x view, unblended
    int blendModeSent = 0;
    uint64_t plainSent = 0; // the device's count of world 0 changes when last sent
};

struct GlPrograms {
    std::string header; // version, defines and the clip conversion, shared by every shader
    GLuint sprite = 0;
    GLint spriteProjectionLocation = -1;
    GLint spriteHalfPixelLocation = -1;
    std::unordered_map<SceneKey, SceneProgram> scene;
};

// Compiles the sprite program and the scene program of the starting states.
// `clipControl`: depth 0..1 is set up by glClipControl, so the shaders leave z alone.
// `paletteSize`: world matrices in the palette block.
bool BuildPrograms(bool clipControl, int paletteSize, GlPrograms& programs, std::string& log);
// The scene program of a key, compiled the first time it is asked for; the current program
// stays current. nullptr when the driver refuses it.
SceneProgram* SceneProgramFor(GlPrograms& programs, SceneKey key, std::string& log);
void DeletePrograms(GlPrograms& programs);

} // namespace gpu
