// Every model of the load order: well formed, inside its cell, and shaped the way the game
// draws it (floors topped at 0, walls above the knees, the hero's bones and poses).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "builders.h"
#include "forge.h"
#include "skeleton.h"

using namespace forge;

namespace {

struct Bounds {
    Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
};
Bounds Measure(const std::vector<Vec3>& points) {
    Bounds b;
    for (Vec3 p : points) {
        b.lo = {std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
        b.hi = {std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
    }
    return b;
}
Model Build(const std::string& file) {
    Model m;
    EXPECT_TRUE(BuildModel(file, m)) << file;
    return m;
}
bool StartsWith(const std::string& s, const char* p) {
    return s.rfind(p, 0) == 0;
}

} // namespace

TEST(Models, EveryFileIsWellFormedAndReadsBack) {
    std::vector<std::string> files = ModelFiles();
    EXPECT_GE(files.size(), 88u); // every distinct model file of the load order
    std::vector<std::string> products;
    for (const Product& p : AllProducts()) products.push_back(p.path);
    const auto forged = [&](const std::string& path) {
        return std::find(products.begin(), products.end(), path) != products.end();
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        Model m = Build(file);
        // The sheet, but the placeholder of unseen cells wears its one colour; either is
        // forged beside the model in both texture folders.
        EXPECT_EQ(m.texture, file == "empty.exp" ? PlaceholderTexture : "textures.png");
        EXPECT_TRUE(forged("gfx1024/" + m.texture) && forged("gfx2048/" + m.texture));
        EXPECT_FALSE(m.vertices.empty());
        EXPECT_EQ(m.vertices.size() % 3, 0u);
        EXPECT_GE(m.bones.size(), 1u);
        EXPECT_GE(m.poses.size(), 1u);
        for (const Pose& p : m.poses) EXPECT_EQ(p.rotations.size(), m.bones.size()) << p.name;
        // The game culls counter-clockwise triangles: every triangle must wind clockwise
        // as seen from the side its normals face, in the pose it is drawn in.
        std::vector<Vec3> placed = PlacedPositions(m, RestRotations(m));
        std::vector<Mat4> bones = BoneMatrices(m, RestRotations(m));
        for (size_t i = 0; i + 2 < m.vertices.size(); i += 3) {
            Vec3 facing = Cross(placed[i + 1] - placed[i], placed[i + 2] - placed[i]);
            Vec3 normal{};
            for (size_t k = i; k < i + 3; ++k)
                normal =
                    normal + TransformDirection(m.vertices[k].normal, bones[m.vertices[k].bone]);
            ASSERT_GT(Dot(facing, normal), 0.0f)
                << "triangle " << i / 3 << " faces away from its normals";
        }
        for (const Vertex& v : m.vertices) {
            ASSERT_LT(v.bone, m.bones.size());
            ASSERT_TRUE(v.u >= 0 && v.u <= 1 && v.v >= 0 && v.v <= 1);
            ASSERT_NEAR(Length(v.normal), 1.0f, 1e-3f);
        }
        // The game's own reader accepts the bytes and finds the same model in them.
        EXPECT_EQ(CheckExp(ToExpModel(m)), "");
        ExpModel back;
        std::string error;
        ASSERT_TRUE(DecodeExp(SerializeModel(m), back, error)) << error;
        EXPECT_EQ(back.vertices.size(), m.vertices.size());
        EXPECT_EQ(back.bones.size(), m.bones.size());
        ASSERT_EQ(back.poses.size(), m.poses.size());
        for (size_t i = 0; i < m.bones.size(); ++i) // the file keeps half the z offset
            EXPECT_EQ(back.bones[i].offset.z * 2, m.bones[i].offset.z);
    }
}

TEST(Models, BlocksFitTheirCellAndStandRight) {
    for (const std::string& file : ModelFiles()) {
        SCOPED_TRACE(file);
        if (file == "warriordead.exp") continue; // only ever thrown through the air as debris
        Model m = Build(file);
        Bounds b = Measure(PlacedPositions(m, RestRotations(m)));
        // Everything fits its 1 x 1 cell.
        EXPECT_GE(b.lo.x, -0.5f - 1e-4f);
        EXPECT_LE(b.hi.x, 0.5f + 1e-4f);
        EXPECT_GE(b.lo.z, -0.5f - 1e-4f);
        EXPECT_LE(b.hi.z, 0.5f + 1e-4f);
        bool floorLike = StartsWith(file, "laatta") || StartsWith(file, "conveyor") ||
                         file == "teleport.exp" || file == "maali.exp" || file == "empty.exp" ||
                         file == "createlaatta.exp";
        if (floorLike) {
            // Floors are walked on at height 0 and fill the whole cell.
            EXPECT_NEAR(b.lo.x, -0.5f, 1e-4f);
            EXPECT_NEAR(b.hi.z, 0.5f, 1e-4f);
            // Its walking surface (the faces pointing straight up) is at 0 or just above it.
            float top = -1e9f;
            for (const Vertex& v : m.vertices)
                if (v.normal.y > 0.99f) top = std::max(top, v.position.y);
            EXPECT_GE(top, 0.0f);
            EXPECT_LE(top, StartsWith(file, "laatta") || file == "empty.exp" ? 0.0f : 0.1f);
        }
        if (StartsWith(file, "seina") || StartsWith(file, "arrowtrap") ||
            StartsWith(file, "rocktrap")) {
            EXPECT_GE(b.hi.y, 0.9f);  // clearly above the hero's knees
            EXPECT_LE(b.lo.y, -0.9f); // and down into the ground when a neighbour is a pit
        }
        if (StartsWith(file, "koriste")) {
            EXPECT_NEAR(b.lo.y, file.find("s.exp") != std::string::npos ? WallHeight : 0.0f, 0.05f);
        }
    }
}

TEST(Models, TheHeroHasTheBonesAndPosesTheGameUses) {
    Model hero = Build("3dhahmobin.exp");
    ASSERT_GE(hero.bones.size(), 21u);
    ASSERT_EQ(hero.poses.size(), 17u);
    for (size_t i = 0; i < hero.bones.size(); ++i) EXPECT_LT(hero.bones[i].parent, int(i));
    // Standing, he is 1.8 to 2 units tall with his soles on the ground.
    Bounds stand = Measure(PlacedPositions(hero, hero.poses[4].rotations));
    EXPECT_GE(stand.hi.y - stand.lo.y, 1.8f);
    EXPECT_LE(stand.hi.y - stand.lo.y, 2.0f);
    std::vector<Mat4> bones = BoneMatrices(hero, hero.poses[4].rotations);
    EXPECT_NEAR(bones[16].m[3][1], 0.0f, 0.02f);
    EXPECT_NEAR(bones[20].m[3][1], 0.0f, 0.02f);
    // He faces -z: his toes are ahead of his heels there.
    Bounds feet = Measure([&] {
        std::vector<Vec3> points;
        std::vector<Vec3> placed = PlacedPositions(hero, hero.poses[4].rotations);
        for (size_t i = 0; i < placed.size(); ++i)
            if (hero.vertices[i].bone == 16) points.push_back(placed[i]);
        return points;
    }());
    EXPECT_LT(feet.lo.z, -0.12f);
    // The walk keyframes differ from each other: blending them makes a stride.
    for (int a = 0; a < 4; ++a) {
        float change = 0;
        for (size_t b = 0; b < hero.bones.size(); ++b)
            change += Length(hero.poses[a].rotations[b] - hero.poses[(a + 1) % 4].rotations[b]);
        EXPECT_GT(change, 0.3f) << a;
    }
    // The edge wobble only moves the waist and the chest relative to standing.
    for (size_t b = 0; b < hero.bones.size(); ++b)
        if (b != 1 && b != 2) {
            EXPECT_EQ(Length(hero.poses[16].rotations[b] - hero.poses[4].rotations[b]), 0.0f) << b;
        }
}

TEST(Models, GunsMeetTheMuzzlePointsWhenTheHeroShoots) {
    // Muzzle points of the game's gun table for facing 1: right, height, forward.
    struct Gun {
        const char* file;
        int recoilPose, lastBone;
        float right, height, forward;
    } guns[] = {{"weapon2.exp", 7, 11, 0.218f, 1.678f, 0.988f},
                {"weapon1.exp", 7, 11, 0.218f, 1.427f, 1.224f},
                {"weapon3.exp", 15, 12, 0.259f, 1.393f, 1.23f}};
    Model hero = Build("3dhahmobin.exp");
    for (const Gun& g : guns) {
        SCOPED_TRACE(g.file);
        Model gun = Build(g.file);
        EXPECT_EQ(gun.bones.size(), 1u);
        // The game blends the upper body into the recoil pose over the standing legs.
        std::vector<Vec3> rot = hero.poses[4].rotations;
        for (int b = 1; b <= g.lastBone; ++b) rot[b] = hero.poses[g.recoilPose].rotations[b];
        std::vector<Mat4> bones = BoneMatrices(hero, rot);
        // The muzzle is the point of the gun farthest along the hand's -y.
        Vec3 tip = gun.vertices[0].position;
        for (const Vertex& v : gun.vertices)
            if (v.position.y < tip.y) tip = v.position;
        Vec3 p = TransformPoint(tip * 1.5f, bones[RightHand]);
        // The hero faces -z and his right is -x.
        EXPECT_NEAR(-p.x, g.right, 0.1f);
        EXPECT_NEAR(p.y, g.height, 0.1f);
        EXPECT_NEAR(-p.z, g.forward, 0.1f);
    }
}

TEST(Models, MonstersHaveTheirKeyframesAndBones) {
    for (const char* file : {"zombie.exp", "warrior.exp"}) {
        SCOPED_TRACE(file);
        Model m = Build(file);
        EXPECT_GE(m.bones.size(), 21u);
        EXPECT_GE(m.poses.size(), 6u); // walk 0..3, attack 4 and 5
        Bounds b = Measure(PlacedPositions(m, m.poses[0].rotations));
        EXPECT_GT(b.hi.y - b.lo.y, 1.5f);
    }
    Model dead = Build("warriordead.exp");
    EXPECT_GE(dead.bones.size(), 21u);
    Model ghost = Build("ghost.exp");
    ASSERT_GE(ghost.bones.size(), 11u);
    ASSERT_GE(ghost.poses.size(), 2u);
    // The game stands the ghost on the height of bone 10: it must stay at the ground while
    // the sheet hovers above it.
    for (int k = 0; k < 2; ++k) {
        std::vector<Mat4> bones = BoneMatrices(ghost, ghost.poses[k].rotations);
        EXPECT_NEAR(bones[10].m[3][1], 0.0f, 1e-5f);
        EXPECT_GT(Measure(PlacedPositions(ghost, ghost.poses[k].rotations)).lo.y, 0.0f);
    }
    Model chest = Build("treasure1.exp");
    EXPECT_EQ(chest.bones.size(), 2u);
}

TEST(Models, SevenPotionsLookDifferent) {
    const char* potions[] = {"potion_of_speed.exp",        "potion_of_health.exp",
                             "potion_of_invisibility.exp", "potion_of_invincility.exp",
                             "potion_of_blessing.exp",     "potion_of_life.exp",
                             "potion_of_kill_all.exp"};
    std::vector<std::pair<float, float>>
        looks; // the colour cell of the glass and the shape's width
    for (const char* file : potions) {
        Model m = Build(file);
        Bounds b = Measure(PlacedPositions(m, RestRotations(m)));
        looks.push_back({m.vertices[0].u + m.vertices[0].v * 7, b.hi.x - b.lo.x});
    }
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_NE(looks[i], looks[j]) << potions[i] << " " << potions[j];
}

TEST(Models, OnlyTheNamesOfTheLoadOrderAreBuilt) {
    Model m;
    for (const char* known : {"laatta1.exp", "laatta13.exp", "seina12.exp", "conveyor8.exp",
                              "koriste7.exp", "koriste1s.exp", "pylvas4.exp", "patsas2.exp"})
        EXPECT_TRUE(BuildModel(known, m)) << known;
    // Numbers outside the families, stray spellings and other files are not guessed at.
    for (const char* unknown : {"laatta0.exp", "laatta14.exp", "seina13.exp", "conveyor9.exp",
                                "koriste8.exp", "koriste8s.exp", "laatta1.png", "laattax.exp",
                                "laatta.exp", "laatta01x.exp", "pylvas5.exp", ""})
        EXPECT_FALSE(BuildModel(unknown, m)) << unknown;
}
