#pragma once
// Scenes of the game's world for the pictures: a small level laid out from a text map and
// drawn with the game's own models, with the hero and the monsters posed on it.
#include <string>
#include <vector>

#include "raster.h"

namespace forge {

// Map legend, one character per cell, the first line farthest away (as in a level file):
//   '.' floor   ',' second floor   '#' wall   '%' second wall   ' ' pit
//   'P' pillar  'S' statue  'O' obelisk  'B' brazier  'b' broken pillar
//   'c' conveyor  't' teleport  'e' exit  'x' sprung spikes  'a' arrow trap  'r' rock trap
//   'T' chest  'G' gold  'K' crown  '1'..'7' potions (health, life, speed, blessing,
//   invincibility, invisibility, kill all)  'k' bush  'v' vase  'u' skulls  'n' candles
//   'y' crystals  'f' banner  'q' crates  (items and pillars stand on the first floor)
struct Stage {
    std::vector<std::string> map;
    int floorDesign = 0, altFloor = 1; // 0-based designs
    int wallDesign = 0, altWall = 1;
};

struct Actor {
    std::string model;            // "3dhahmobin.exp", "zombie.exp", ...
    int pose = -1, nextPose = -1; // keyframes; -1 the rest pose
    float blend = 0;              // toward nextPose
    float column = 0, row = 0;    // world position (cell centres at whole numbers)
    float height = 0;
    float turn = 0; // about the vertical axis, radians
    float tilt = 0; // about x before the turn (guns laid on a table)
    float scale = 1;
    std::string gun; // a gun model held in bone 7
    float opacity = 1;
};

// The turn the game gives the hero for a facing direction 1..8 (1 = toward +row).
float HeroTurn(int facing);
// The turn a monster gets for its direction.
float MonsterTurn(int direction);

struct Sky {
    Colour top, horizon;
    float horizonAt = 0.45f; // fraction of the picture height
    bool mountains = true;
    Colour mountain{0.3f, 0.35f, 0.45f, 1};
    bool sun = false;
    float sunX = 0.7f, sunY = 0.25f;
    Colour sunColour{1, 0.9f, 0.6f, 1};
    Colour ground{0.2f, 0.3f, 0.15f, 1}; // the land beyond the map
};
void PaintBackdrop(Image& image, const Sky& sky, uint32_t seed);

const Model& CachedModel(const std::string& file);
const Image& ModelTexture(); // the texture sheet the models map into, at 2048

struct Shot {
    Vec3 eye, target;
    float fov;
    Vec3 lightDir;
    Colour diffuse, ambient;
    Colour fogColour; // alpha is the fog's strength
    float fogStart, fogEnd;
};

// A finished picture of a stage: backdrop, tiles, actors, inked edges, drawn twice as large
// and reduced for smooth edges; `vignette` darkens the corners.
Image RenderScene(int width, int height, const Sky& sky, const Shot& shot, const Stage& stage,
                  const std::vector<Actor>& actors, uint32_t seed, float ink, bool vignette);

void DrawStage(Rasterizer& r, const Stage& stage);
void DrawActors(Rasterizer& r, const std::vector<Actor>& actors, bool shadows = true);

} // namespace forge
