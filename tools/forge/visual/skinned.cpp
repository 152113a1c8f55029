// The other skinned models: the ghost, the three guns and the treasure chest.
#include <cmath>

#include "builders.h"

namespace forge {
namespace {

void OneBoneSkinned(Model& m, Vec3 rest = {}) {
    m.bones = {Bone{-1, {}, rest}};
    m.poses = {Pose{"rest", {rest}}};
}

} // namespace

// The ghost floats; the game stands it on the height of bone 10, which sits at the origin
// whatever the pose, so the sheet hovers above the floor.
Model BuildGhost() {
    Model m;
    enum : uint8_t { Root, Body, Chest, Head, RArm, RFore, LArm, LFore, Tail, TailTip, Anchor };
    struct Joint {
        int parent;
        Vec3 offset;
    } joints[] = {{-1, {0, 0, 0}},
                  {Root, {0, 0.55f, 0}},
                  {Body, {0, 0.45f, 0}},
                  {Chest, {0, 0.32f, 0}},
                  {Chest, {-0.22f, 0.22f, 0}},
                  {RArm, {0, -0.25f, 0}},
                  {Chest, {0.22f, 0.22f, 0}},
                  {LArm, {0, -0.25f, 0}},
                  {Body, {0, -0.05f, 0.05f}},
                  {Tail, {0, -0.3f, 0.05f}},
                  {Root, {0, 0, 0}}};
    for (const Joint& j : joints) m.bones.push_back(Bone{j.parent, j.offset, {}});
    MeshBuilder b(m);
    b.material = Material::GhostBody;
    b.bone = Body; // a hanging sheet, wider at the hem
    b.lathe({{0.3f, -0.2f}, {0.32f, 0.0f}, {0.25f, 0.3f}, {0.2f, 0.5f}, {0, 0.55f}}, 16, true);
    b.bone = Chest;
    b.lathe({{0.22f, -0.05f}, {0.2f, 0.2f}, {0.12f, 0.32f}, {0, 0.34f}}, 14, true);
    b.bone = Head;
    b.material = Material::GhostFace;
    b.place = RotationY(-Pi / 2);
    b.sphere({0, 0.12f, 0}, {0.17f, 0.2f, 0.17f}, 14, 9);
    b.place = Mat4{};
    b.material = Material::GhostBody;
    for (uint8_t arm : {uint8_t(RArm), uint8_t(LArm)}) {
        b.bone = arm;
        b.lathe({{0, -0.28f}, {0.05f, -0.25f}, {0.07f, 0}, {0, 0.05f}}, 8, true);
    }
    for (uint8_t fore : {uint8_t(RFore), uint8_t(LFore)}) {
        b.bone = fore;
        b.lathe({{0, -0.25f}, {0.06f, -0.18f}, {0.05f, 0}, {0, 0.03f}}, 8, true);
    }
    b.bone = Tail;
    b.lathe({{0.1f, -0.3f}, {0.25f, 0.0f}, {0, 0.02f}}, 10, true);
    b.bone = TailTip;
    b.lathe({{0, -0.25f}, {0.1f, 0.0f}, {0, 0.02f}}, 8, true);

    auto pose = [&](const char* name, float sway, float arms, float tail) {
        Pose p{name, std::vector<Vec3>(m.bones.size())};
        p.rotations[Body] = {0.05f, 0, sway};
        p.rotations[Chest] = {0.1f, 0, -sway * 0.5f};
        p.rotations[Head] = {-0.1f, sway, 0};
        p.rotations[RArm] = {1.0f + arms, 0, -0.4f};
        p.rotations[RFore] = {0.4f - arms, 0, 0};
        p.rotations[LArm] = {1.0f - arms, 0, 0.4f};
        p.rotations[LFore] = {0.4f + arms, 0, 0};
        p.rotations[Tail] = {-0.3f, 0, tail};
        p.rotations[TailTip] = {-0.3f, 0, -tail};
        return p;
    };
    m.poses = {pose("drift0", 0.12f, 0.3f, 0.3f), pose("drift1", -0.12f, -0.3f, -0.3f)};
    for (size_t i = 0; i < m.bones.size(); ++i) m.bones[i].rotation = m.poses[0].rotations[i];
    return m;
}

// Guns are drawn in the space of the hero's gun hand at 1.5 times their size: the barrel
// runs along the hand's -y (ahead when he aims), the top of the gun is -z and the grip
// goes down along +z from the palm.
Model BuildPistol() {
    Model m;
    MeshBuilder b(m);
    b.material = Material::DarkMetal;
    b.box({-0.018f, -0.1f, -0.02f}, {0.018f, -0.03f, 0.09f}); // grip
    b.material = Material::Steel;
    b.bevelBox({-0.022f, -0.3f, -0.08f}, {0.022f, 0.04f, -0.02f}, 0.006f); // slide
    b.material = Material::DarkMetal;
    b.box({-0.01f, -0.12f, -0.02f}, {0.01f, -0.06f, 0.02f}); // trigger guard
    OneBoneSkinned(m);
    return m;
}

// Tilted so that its muzzle meets the submachine gun's muzzle point when the hero aims.
constexpr float SubmachineGunTilt = -0.41f;

Model BuildSubmachineGun() {
    Model m;
    MeshBuilder b(m);
    b.place = RotationX(SubmachineGunTilt);
    b.material = Material::DarkMetal;
    b.box({-0.02f, -0.1f, -0.03f}, {0.02f, -0.04f, 0.09f});             // grip
    b.box({-0.018f, -0.2f, 0.0f}, {0.018f, -0.16f, 0.16f});             // magazine
    b.bevelBox({-0.03f, -0.32f, -0.1f}, {0.03f, 0.12f, -0.02f}, 0.01f); // body
    b.material = Material::Steel;
    b.place = RotationX(SubmachineGunTilt) * Translation({0, 0, -0.06f});
    b.cylinder(0.014f, -0.45f, -0.3f, 8); // barrel
    b.place = Mat4{};
    OneBoneSkinned(m);
    return m;
}

Model BuildAssaultRifle() {
    Model m;
    MeshBuilder b(m);
    b.material = Material::Wood;
    b.bevelBox({-0.025f, 0.0f, -0.1f}, {0.025f, 0.3f, 0.02f}, 0.01f); // stock
    b.material = Material::DarkMetal;
    b.box({-0.02f, -0.08f, -0.03f}, {0.02f, -0.02f, 0.09f});             // grip
    b.bevelBox({-0.03f, -0.42f, -0.12f}, {0.03f, 0.02f, -0.03f}, 0.01f); // receiver
    b.place = RotationX(-0.15f) * Translation({0, -0.22f, 0});
    b.box({-0.02f, -0.05f, -0.03f}, {0.02f, 0.0f, 0.16f}); // curved magazine
    b.place = Mat4{};
    b.material = Material::Wood;
    b.bevelBox({-0.028f, -0.6f, -0.11f}, {0.028f, -0.42f, -0.04f}, 0.01f); // handguard
    b.material = Material::Steel;
    b.place = Translation({0, 0, -0.085f});
    b.cylinder(0.012f, -0.72f, -0.55f, 8); // barrel
    b.place = Mat4{};
    OneBoneSkinned(m);
    return m;
}

// Bone 1 is the lid, hinged at the back, standing open on the gold inside.
Model BuildTreasureChest() {
    Model m;
    m.bones = {Bone{-1, {}, {}}, Bone{0, {0, 0.16f, 0.1f}, {0.9f, 0, 0}}};
    MeshBuilder b(m);
    b.material = Material::ChestWood;
    b.bevelBox({-0.15f, 0, -0.1f}, {0.15f, 0.16f, 0.1f}, 0.01f);
    b.material = Material::Gold;
    b.lathe({{0.12f, 0.15f}, {0.06f, 0.2f}, {0, 0.21f}}, 10, true);
    b.bone = 1;
    b.material = Material::ChestWood;
    b.bevelBox({-0.155f, 0, -0.205f}, {0.155f, 0.07f, 0.005f},
               0.03f); // the lid reaches forward from the hinge
    b.material = Material::Gold;
    b.box({-0.02f, -0.03f, -0.21f}, {0.02f, 0.02f, -0.2f}); // lock plate
    m.poses = {Pose{"open", {Vec3{}, Vec3{0.9f, 0, 0}}}};
    return m;
}

} // namespace forge
