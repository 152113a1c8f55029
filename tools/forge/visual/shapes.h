#pragma once
// Parametric parts for building models: boxes, bevelled blocks, lathed solids (cylinders,
// cones, spheres, bottles), extruded outlines and quads. Each part is placed by a matrix,
// bound to one bone and painted with one material.
#include <utility>
#include <vector>

#include "materials.h"
#include "model.h"

namespace forge {

struct ProfilePoint {
    float radius, y;
};

class MeshBuilder {
  public:
    explicit MeshBuilder(Model& model) : model_(model) {}

    uint8_t bone = 0;
    Material material = Material::Metal;
    Mat4 place; // applied to every point of the next parts (in the bone's space)
    Mat4 base;  // applied after `place`: moves a whole model made of placed parts
    bool doubleSided = false;

    // Axis-aligned box; `skipBottom` leaves out the face nobody sees.
    void box(Vec3 lo, Vec3 hi, bool skipBottom = false);
    // Only the four upright faces: a block under another of its size, never seen from below.
    // Its top would only be drawn to be hidden.
    void sides(Vec3 lo, Vec3 hi);
    // A box whose top edges are chamfered by `bevel`.
    void bevelBox(Vec3 lo, Vec3 hi, float bevel, bool skipBottom = false);
    // A solid of revolution about the y axis from a bottom-to-top profile.
    void lathe(const std::vector<ProfilePoint>& profile, int segments, bool smooth);
    void cylinder(float radius, float y0, float y1, int segments);
    void cone(float radius, float y0, float y1, int segments);
    void sphere(Vec3 centre, Vec3 radii, int segments, int rings);
    // A flat outline in the xz plane (clockwise seen from above), extruded from y0 to y1.
    void extrude(const std::vector<std::pair<float, float>>& outline, float y0, float y1);
    // A quad a-b-c-d (corners in order), textured with the whole material cell.
    void quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d);
    void triangle(Vec3 a, Vec3 b, Vec3 c, Vec3 normal, float ua, float va, float ub, float vb,
                  float uc, float vc);

  private:
    struct Corner {
        Vec3 p, n;
        float s, t; // 0..1 inside the material cell
    };
    void emit(Corner a, Corner b, Corner c);
    void face(Corner a, Corner b, Corner c, Corner d);
    enum class BoxFaces { All, NoBottom, SidesOnly };
    void boxFaces(Vec3 lo, Vec3 hi, BoxFaces faces);
    Model& model_;
};

} // namespace forge
