#pragma once
// A small software renderer: draws the forge's own models, textured and lit, into a
// picture. The menu pictures, the story panels and the shop pictures are scenes built
// from the very models the game loads, so the art set stays of one piece.
#include <vector>

#include "image.h"
#include "model.h"

namespace forge {

class Rasterizer {
  public:
    Rasterizer(int width, int height, Colour clear = {0, 0, 0, 0});

    Image colour; // paint a sky or backdrop here before drawing
    void camera(Vec3 eye, Vec3 target, float fovYDegrees);
    void light(Vec3 direction, Colour diffuse, Colour ambient);
    // Distance fog toward a colour, 0 at `start`, full at `end`.
    void fog(Colour colour, float start, float end);

    // Draws the model with the given bone rotations (empty: the rest pose) placed by
    // `world`. `opacity` < 1 or texture alpha blends it over what is there.
    void draw(const Model& model, const std::vector<Vec3>& rotations, const Mat4& world,
              const Image& texture, float opacity = 1, Colour tint = {1, 1, 1, 1},
              bool unlit = false);

    // Dark lines where the depth jumps: gives scenes an inked look.
    void ink(float strength, Colour inkColour = {0.08f, 0.06f, 0.05f, 1});
    // The picture reduced by `factor` (render larger, then reduce, for smooth edges).
    Image result(int factor) const;

  private:
    struct Projected;
    void triangle(const Projected* p, const Image& texture, float opacity, Colour tint);
    int w_, h_;
    std::vector<float> depth_;
    Mat4 view_;
    float focal_ = 1, nearZ_ = 0.05f;
    Vec3 lightDir_{0, -1, 0};
    Colour diffuse_{1, 1, 1, 1}, ambient_{0.3f, 0.3f, 0.3f, 1};
    Colour fogColour_{0, 0, 0, 0};
    float fogStart_ = 1e9f, fogEnd_ = 2e9f;
};

// The sky as a vertical gradient over the whole picture with a light haze at the horizon.
void PaintSky(Image& image, Colour top, Colour horizon, float horizonAt);

} // namespace forge
