#pragma once
// Which scene program a draw needs. A software rasteriser pays for every branch and every
// texture fetch of the pixel shader, taken or not, so each combination of stage operations
// the game draws with gets a program of its own that does exactly that work. The same holds
// for the vertex shader: blending vertices between matrices is a program of its own too.
#include <cstdint>
#include <string>

namespace gpu {

class StateShadow;

// The stage cascade and lighting reduced to what changes the program: arguments an
// operation does not read, stages after the cascade ends and textures nobody samples are
// left out, so states that draw alike share one key.
using SceneKey = uint64_t;

SceneKey SceneKeyOf(const StateShadow& shadow);

// The body of the pixel shader of a key: reads vDiffuse, vUV, uTextureFactor, uTexture0/1,
// writes oColour.
std::string SceneFragmentSource(SceneKey key);
// Whether the key's vertices are lit (else their colour is opaque white).
bool SceneKeyLit(SceneKey key);
// The key of the same draw with its vertices blended between world matrices of the palette
// (skinned models); keys without it take the plain transform of world 0.
SceneKey WithBlendedVertices(SceneKey key);
bool SceneKeyBlended(SceneKey key);

} // namespace gpu
