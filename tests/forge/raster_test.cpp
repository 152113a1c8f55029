// The forge's own renderer, which paints the menu, shop and story pictures from the models:
// it must cull and place triangles the way the game's device does, or the pictures would
// show the insides of the models.
#include <gtest/gtest.h>

#include "builders.h"
#include "raster.h"

using namespace forge;

TEST(Raster, DrawsFrontFacesWhereTheGameWouldAndCullsBackFaces) {
    Model square;
    MeshBuilder b(square);
    b.material = Material::Snow;
    // A square in the z = 0 plane facing -z, toward a camera in front of it.
    b.quad({-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}, {-0.5f, -0.5f, 0});
    FinishRigid(square);
    Image texture(64, 64, {1, 1, 1, 1});

    Rasterizer front(32, 32, {0, 0, 0, 0});
    front.camera({0, 0, -3}, {0, 0, 0}, 40);
    front.light({0, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 1});
    front.draw(square, {}, Mat4{}, texture);
    EXPECT_GT(front.colour.at(16, 16).a, 0.9f);
    EXPECT_GT(front.colour.at(16, 16).r, 0.9f); // lit head-on
    EXPECT_EQ(front.colour.at(1, 1).a, 0.0f);   // the square covers only the middle

    Rasterizer behind(32, 32, {0, 0, 0, 0});
    behind.camera({0, 0, 3}, {0, 0, 0}, 40);
    behind.draw(square, {}, Mat4{}, texture);
    EXPECT_EQ(behind.colour.at(16, 16).a, 0.0f);

    // Moved right in the world, it lands right of the middle of the picture (x grows right
    // in a left-handed view looking along +z).
    Rasterizer moved(32, 32, {0, 0, 0, 0});
    moved.camera({0, 0, -3}, {0, 0, 0}, 40);
    moved.draw(square, {}, Translation({0.9f, 0, 0}), texture);
    EXPECT_GT(moved.colour.at(26, 16).a, 0.9f);
    EXPECT_EQ(moved.colour.at(6, 16).a, 0.0f);
}

TEST(Raster, NearerSurfacesHideFartherOnes) {
    Model red, blue;
    for (auto [model, material, z] : {std::tuple{&red, Material::GlassRed, 0.0f},
                                      std::tuple{&blue, Material::GlassBlue, 1.0f}}) {
        MeshBuilder b(*model);
        b.material = material;
        b.quad({-1, 1, z}, {1, 1, z}, {1, -1, z}, {-1, -1, z});
        FinishRigid(*model);
    }
    Image texture(2048, 2048);
    PaintMaterials(texture);
    for (bool nearFirst : {true, false}) {
        Rasterizer r(16, 16);
        r.camera({0, 0, -3}, {0, 0, 0}, 60);
        r.light({0, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 1});
        if (nearFirst) r.draw(red, {}, Mat4{}, texture);
        r.draw(blue, {}, Mat4{}, texture);
        if (!nearFirst) r.draw(red, {}, Mat4{}, texture);
        const Colour& c = r.colour.at(8, 8);
        EXPECT_GT(c.r, c.b) << (nearFirst ? "near first" : "far first");
    }
}
