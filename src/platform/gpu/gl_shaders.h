#pragma once
// The two GL programs of the device: the scene program, which reproduces the fixed-function
// lighting, vertex blending and texture stages, and the sprite program.
#include <epoxy/gl.h>

#include <cstdint>
#include <string>

namespace gpu {

// Uniform block "State" of the scene program, in std140 layout (every member vec4-aligned).
struct SceneBlock {
    float projection[16];
    float materialDiffuse[4], materialAmbient[4], materialEmissive[4];
    float ambient[4];
    float textureFactor[4];
    float lightDiffuse[8][4], lightAmbient[8][4];
    float lightVector[8][4];   // xyz: view-space position (point) or direction towards the light
                               // (directional); w: 1 point, 3 directional
    float lightFalloff[8][4];  // range, a0, a1, a2
    int32_t misc[4];           // lighting on, number of lights
    int32_t stageColour[2][4]; // op, arg1, arg2, has texture
    int32_t stageAlpha[2][4];  // op, arg1, arg2
    float halfPixel[4];        // xy: the D3D-to-GL pixel-centre shift in clip units
};
static_assert(sizeof(SceneBlock) == 752);

constexpr GLuint kStateBinding = 0, kPaletteBinding = 1;

struct GlPrograms {
    GLuint scene = 0, sprite = 0;
    GLint blendModeLocation = -1; // scene: 0 world 0, 1 indexed pair, 2 matrices 0 and 1
    GLint spriteProjectionLocation = -1;
    GLint spriteHalfPixelLocation = -1;
};

// Compiles both programs. `clipControl`: depth 0..1 is set up by glClipControl, so the
// shaders leave z alone. `paletteSize`: world matrices in the palette block.
bool BuildPrograms(bool clipControl, int paletteSize, GlPrograms& programs, std::string& log);
void DeletePrograms(GlPrograms& programs);

} // namespace gpu
