#pragma once
// Drawing the grid around the hero (drawing steps 8 and 9 of the game loop) and the few
// device states the world's drawing shares.
//
//   RestoreLevelLights(graphics)    directional light 0 from the level's main light and the
//                                   ambient colour from its fill light (drawing step 3; also
//                                   after any model drawn in a light of its own: trap and
//                                   pillar blocks, arrows' shadows, new stones, ghosts, the
//                                   muzzle flash).
//   DrawWorld(graphics, seen, frame) the window of 15 columns x 17 rows around the hero: a
//                                   block pass near to far with a slightly different depth
//                                   range per row (so coplanar tiles of neighbouring rows do
//                                   not fight), the see-through lids of closing pits far to
//                                   near over it, then an item pass near to far; cells not
//                                   seen show a dark placeholder. Leaves the projection at
//                                   near 5, far 25.
//   DrawTile(graphics, c, n, frame)  one cell's block: pits, conveyors (animated by the frame
//                                   counter), crumbling floors and breakable walls (tilted),
//                                   traps and the first pillar with the floor under them.
//   DrawHeroShadow(graphics)         the blob shadow under the hero; with a stencil buffer the
//                                   part hanging over a lower neighbour cell is cut away.
#include "engine/dgraphics.h"
#include "platform/gpu/types.h"

#include <cstdint>

// The camera's depth range during play, and the window around the hero's cell.
inline constexpr float PlayNear = 5.0f;
inline constexpr float PlayFar = 25.0f;
inline constexpr int32_t WindowLeft = 7, WindowRight = 7; // columns beside the hero's
inline constexpr int32_t WindowBack = 7, WindowAhead = 9; // rows behind and ahead

void RestoreLevelLights(TDGraphics& graphics);
// The play projection (field of view pi/4, aspect 1) with another depth range; the view
// stays as it is.
void SetDepthRange(TDGraphics& graphics, float zNear, float zFar);

void DrawWorld(TDGraphics& graphics, int32_t seen, int32_t frame);
void DrawTile(TDGraphics& graphics, int32_t column, int32_t row, int32_t frame);
void DrawHeroShadow(TDGraphics& graphics);

// A device enum as the number the state calls take.
constexpr uint32_t StateValue(auto e) {
    return static_cast<uint32_t>(e);
}

// Shared blend and stage switches (the game loop's drawing step 13 is BlendOff and
// StageOneOff).
void BlendOn(gpu::Device& device, gpu::Blend source, gpu::Blend destination);
void BlendOff(gpu::Device& device);
void StageOneOff(gpu::Device& device);
// Texture stage 0 of the model's next draw modulates the texture's alpha too, so its
// transparent texels blend.
void AlphaFromTexture(int32_t model);
