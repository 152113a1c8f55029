// The hero, the zombie and the warrior: one skeleton, three bodies, each with its own
// keyframe poses in the numbering the game uses.
#include "builders.h"
#include "skeleton.h"

namespace forge {
namespace {

// A limb hanging from its joint along -y, thicker at the top.
void Limb(MeshBuilder& b, uint8_t bone, Material m, float length, float rTop, float rBottom) {
    b.bone = bone;
    b.material = m;
    b.lathe({{0, -length - rBottom * 0.5f},
             {rBottom * 0.8f, -length - rBottom * 0.3f},
             {rBottom, -length},
             {rTop, -0.02f},
             {rTop * 0.8f, rTop * 0.4f},
             {0, rTop * 0.6f}},
            10, true);
}

struct BodyStyle {
    Material torso, belly, upperArm, forearm, hand, legs, shins, boots, head;
    float headRadius;
    float girth; // 1 for the hero; monsters are bulkier
};

void Body(MeshBuilder& b, const BodyStyle& s) {
    float g = s.girth;
    b.bone = Hips;
    b.material = s.legs;
    b.bevelBox({-0.16f * g, -0.12f, -0.1f * g}, {0.16f * g, 0.08f, 0.1f * g}, 0.03f);
    b.bone = Waist;
    b.material = s.belly;
    b.bevelBox({-0.15f * g, -0.02f, -0.1f * g}, {0.15f * g, 0.24f, 0.1f * g}, 0.03f);
    b.bone = Chest;
    b.material = s.torso;
    b.bevelBox({-0.2f * g, 0, -0.12f * g}, {0.2f * g, 0.3f, 0.12f * g}, 0.05f);
    b.sphere({-0.19f * g, 0.26f, 0}, {0.08f * g, 0.07f, 0.08f * g}, 8, 5); // shoulders
    b.sphere({0.19f * g, 0.26f, 0}, {0.08f * g, 0.07f, 0.08f * g}, 8, 5);
    b.bone = Neck;
    b.material = s.hand;
    b.cylinder(0.05f, -0.02f, 0.09f, 8);
    b.bone = Head;
    b.material = s.head;
    // The face painting is centred on u = 0.5; turning the sphere puts it at the front (-z).
    b.place = RotationY(-Pi / 2);
    b.sphere({0, 0.12f, 0}, {s.headRadius, s.headRadius * 1.05f, s.headRadius}, 14, 9);
    b.place = Mat4{};
    Limb(b, RightUpperArm, s.upperArm, UpperArmLength, 0.065f * g, 0.055f * g);
    Limb(b, RightForearm, s.forearm, ForearmLength, 0.05f * g, 0.042f * g);
    Limb(b, LeftUpperArm, s.upperArm, UpperArmLength, 0.065f * g, 0.055f * g);
    Limb(b, LeftForearm, s.forearm, ForearmLength, 0.05f * g, 0.042f * g);
    for (uint8_t hand : {uint8_t(RightHand), uint8_t(LeftHand)}) {
        b.bone = hand;
        b.material = s.hand;
        b.sphere({0, -0.05f, 0}, {0.045f, 0.065f, 0.04f}, 8, 5);
    }
    Limb(b, RightThigh, s.legs, 0.43f, 0.085f * g, 0.065f * g);
    Limb(b, RightShin, s.shins, 0.42f, 0.062f * g, 0.05f * g);
    Limb(b, LeftThigh, s.legs, 0.43f, 0.085f * g, 0.065f * g);
    Limb(b, LeftShin, s.shins, 0.42f, 0.062f * g, 0.05f * g);
    for (uint8_t ankle : {uint8_t(RightAnkle), uint8_t(LeftAnkle)}) {
        b.bone = ankle;
        b.material = s.boots;
        b.cylinder(0.062f * g, -0.06f, 0.12f, 8);
    }
    for (uint8_t foot : {uint8_t(RightFoot), uint8_t(LeftFoot)}) {
        b.bone = foot;
        b.material = s.boots;
        // The foot bone sits on the sole under the ankle: the boot rises from it.
        b.bevelBox({-0.06f * g, 0, -0.17f}, {0.06f * g, 0.09f, 0.06f}, 0.03f);
    }
}

// ---- the hero ----
Pose HeroStand() {
    return MakePose("stand", StillPose("stand"),
                    {{RightUpperArm, {0.05f, 0, -0.12f}},
                     {RightForearm, {0.25f, 0, 0}},
                     {LeftUpperArm, {0.05f, 0, 0.12f}},
                     {LeftForearm, {0.25f, 0, 0}}});
}
// Arms of the walk: swing against the legs; the gun hand's forearm stays bent forward so a
// held pistol points ahead and down.
Pose HeroWalkUpper(int step) {
    float swing = (step == 0) ? -1.f : (step == 2) ? 1.f : 0.f;
    return MakePose("walk", HeroStand(),
                    {{Waist, {0.06f, 0.08f * swing, 0}},
                     {RightUpperArm, {0.4f * swing, 0, -0.1f}},
                     {RightForearm, {0.9f, 0, 0}},
                     {LeftUpperArm, {-0.4f * swing, 0, 0.1f}},
                     {LeftForearm, {0.6f, 0, 0}}});
}
Pose HeroAir(const Pose& upper) {
    Pose p = MakePose("air", upper,
                      {{RightThigh, {0.7f, 0, 0}},
                       {RightShin, {-1.1f, 0, 0}},
                       {RightFoot, {0.4f, 0, 0}},
                       {LeftThigh, {0.2f, 0, 0}},
                       {LeftShin, {-0.6f, 0, 0}},
                       {LeftFoot, {0.4f, 0, 0}}});
    return p;
}
// Pistol and submachine gun: the right arm straight out at shoulder height.
Pose HeroAim(float raise, float lean) {
    return MakePose("aim", HeroStand(),
                    {{Waist, {-lean, 0, 0}},
                     {Chest, {0, 0.1f, 0}},
                     {Head, {0, -0.1f, 0}},
                     {RightUpperArm, {Pi / 2 + raise, -0.1f, 0}},
                     {RightForearm, {0, 0, 0}},
                     {LeftUpperArm, {0.3f, 0, 0.15f}},
                     {LeftForearm, {0.5f, 0, 0}}});
}
// The assault rifle is carried in both hands at chest height.
Pose HeroRifle(const Pose& base, float raise) {
    return MakePose(base.name.c_str(), base,
                    {{RightUpperArm, {-0.3f + raise, 0, 0.45f}},
                     {RightForearm, {1.87f, 0, 0}},
                     {RightHand, {0, 0, 0}},
                     {LeftUpperArm, {1.0f + raise, 0.55f, 0}},
                     {LeftForearm, {0.55f, 0, 0}},
                     {LeftHand, {0, 0, 0}}});
}

void HeroParts(MeshBuilder& b) {
    Body(b,
         {Material::Shirt, Material::Shirt, Material::Shirt, Material::Skin, Material::Skin,
          Material::Trousers, Material::Trousers, Material::Boots, Material::Face, 0.115f, 1.0f});
    b.bone = Head; // a wide-brimmed explorer's hat
    b.material = Material::Hat;
    b.cylinder(0.2f, 0.19f, 0.215f, 16);
    b.lathe({{0, 0.21f}, {0.125f, 0.21f}, {0.12f, 0.3f}, {0.09f, 0.33f}, {0, 0.32f}}, 12, true);
    b.bone = Gear; // backpack
    b.material = Material::Leather;
    b.bevelBox({-0.14f, -0.25f, 0}, {0.14f, 0.08f, 0.14f}, 0.04f);
    b.material = Material::Hat; // bedroll
    b.place = RotationZ(Pi / 2);
    b.cylinder(0.05f, -0.15f, 0.15f, 8);
    b.place = Mat4{};
    b.bone = Pouch;
    b.material = Material::Leather;
    b.box({-0.17f, -0.1f, -0.11f}, {0.17f, -0.04f, 0.11f});
    b.box({-0.2f, -0.2f, -0.06f}, {-0.12f, -0.07f, 0.05f});
}

} // namespace

Model BuildHero() {
    Model m;
    AddHumanBones(m);
    MeshBuilder b(m);
    HeroParts(b);

    Pose stand = HeroStand();
    std::vector<Pose> walk;
    for (int s = 0; s < 4; ++s) walk.push_back(WalkLegs("walk", HeroWalkUpper(s), s, 1.0f));
    Pose air = HeroAir(MakePose("air", stand,
                                {{RightUpperArm, {0.5f, 0, -0.5f}},
                                 {LeftUpperArm, {0.5f, 0, 0.5f}},
                                 {RightForearm, {0.9f, 0, 0}},
                                 {LeftForearm, {0.6f, 0, 0}}}));
    Pose aim = HeroAim(0.02f, 0.0f), recoil = HeroAim(0.13f, 0.06f);
    recoil.name = "recoil";
    Pose wobble =
        MakePose("wobble", stand, {{Waist, {0.35f, 0, 0.25f}}, {Chest, {0.25f, 0, -0.3f}}});

    std::vector<Pose>& p = m.poses;
    p = {walk[0], walk[1], walk[2], walk[3], stand, air, aim, recoil};
    p.push_back(HeroRifle(air, 0));                                 // 8 air with the rifle
    p.push_back(HeroRifle(stand, 0));                               // 9 stand with the rifle
    for (int s = 0; s < 4; ++s) p.push_back(HeroRifle(walk[s], 0)); // 10..13
    Pose rifleAim = HeroRifle(MakePose("rifleaim", stand, {{Chest, {0, 0.12f, 0}}}), 0.0f);
    Pose rifleRecoil = HeroRifle(
        MakePose("riflerecoil", stand, {{Waist, {-0.05f, 0, 0}}, {Chest, {0, 0.12f, 0}}}), 0.05f);
    p.push_back(rifleAim);    // 14
    p.push_back(rifleRecoil); // 15
    p.push_back(wobble);      // 16
    const char* names[] = {"walk0",       "walk1",      "walk2",      "walk3",      "stand",
                           "air",         "aim",        "recoil",     "rifleair",   "riflestand",
                           "riflewalk0",  "riflewalk1", "riflewalk2", "riflewalk3", "rifleaim",
                           "riflerecoil", "wobble"};
    for (size_t i = 0; i < p.size(); ++i) p[i].name = names[i];
    for (size_t i = 0; i < m.bones.size(); ++i) m.bones[i].rotation = stand.rotations[i];
    return m;
}

// ---- the zombie: arms reaching forward, a shambling walk, a two-handed swipe ----
Model BuildZombie() {
    Model m;
    AddHumanBones(m);
    MeshBuilder b(m);
    Body(b, {Material::Rags, Material::ZombieSkin, Material::Rags, Material::ZombieSkin,
             Material::ZombieSkin, Material::Rags, Material::ZombieSkin, Material::ZombieSkin,
             Material::ZombieFace, 0.125f, 1.1f});
    b.bone = Gear; // a torn flap of cloth on the back
    b.material = Material::Rags;
    b.doubleSided = true;
    b.quad({-0.15f, 0.05f, 0.0f}, {0.15f, 0.05f, 0.0f}, {0.1f, -0.45f, 0.06f},
           {-0.12f, -0.4f, 0.06f});
    b.doubleSided = false;

    Pose reach = MakePose("reach", StillPose("reach"),
                          {{Waist, {0.25f, 0, 0}},
                           {Head, {-0.15f, 0, 0.2f}},
                           {RightUpperArm, {1.35f, 0, -0.05f}},
                           {RightForearm, {0.55f, 0, 0}},
                           {LeftUpperArm, {1.25f, 0, 0.05f}},
                           {LeftForearm, {0.6f, 0, 0}}});
    for (int s = 0; s < 4; ++s) {
        Pose upper = MakePose("walk", reach,
                              {{Waist,
                                {0.25f,
                                 (s == 0   ? 0.12f
                                  : s == 2 ? -0.12f
                                           : 0),
                                 0}}});
        m.poses.push_back(WalkLegs("walk", upper, s, 0.6f));
    }
    Pose raise = MakePose("attack0", m.poses[1],
                          {{Waist, {-0.1f, 0, 0}},
                           {Head, {0.2f, 0, 0}},
                           {RightUpperArm, {2.6f, 0, -0.2f}},
                           {RightForearm, {0.6f, 0, 0}},
                           {LeftUpperArm, {2.5f, 0, 0.2f}},
                           {LeftForearm, {0.6f, 0, 0}}});
    Pose strike = MakePose("attack1", m.poses[1],
                           {{Waist, {0.5f, 0, 0}},
                            {Head, {-0.2f, 0, 0}},
                            {RightUpperArm, {0.9f, 0, 0.1f}},
                            {RightForearm, {0.3f, 0, 0}},
                            {LeftUpperArm, {0.9f, 0, -0.1f}},
                            {LeftForearm, {0.3f, 0, 0}}});
    m.poses.push_back(raise);
    m.poses.push_back(strike);
    for (size_t i = 0; i < m.poses.size() && i < 4; ++i)
        m.poses[i].name = "walk" + std::to_string(i);
    for (size_t i = 0; i < m.bones.size(); ++i) m.bones[i].rotation = m.poses[1].rotations[i];
    return m;
}

namespace {

void WarriorParts(MeshBuilder& b) {
    Body(b,
         {Material::Armour, Material::Tunic, Material::Armour, Material::Armour, Material::Leather,
          Material::Tunic, Material::Armour, Material::DarkMetal, Material::Helmet, 0.13f, 1.15f});
    b.bone = Head; // crest on the helmet
    b.material = Material::Tunic;
    b.box({-0.02f, 0.2f, -0.1f}, {0.02f, 0.3f, 0.12f});
    b.bone = Waist; // a mail skirt
    b.material = Material::Armour;
    b.lathe({{0.24f, -0.3f}, {0.2f, 0.0f}, {0, 0.0f}}, 12, false);
    b.bone = RightHand; // sword along the hand's -y
    b.material = Material::Gold;
    b.box({-0.1f, -0.09f, -0.025f}, {0.1f, -0.06f, 0.025f});
    b.material = Material::Steel;
    b.extrude({{-0.035f, -0.09f}, {0.035f, -0.09f}, {0.03f, -0.7f}, {0, -0.78f}, {-0.03f, -0.7f}},
              -0.01f, 0.01f);
    b.bone = Gear; // the shield, carried in front of the left side of the chest
    b.material = Material::ShieldFace;
    b.place = RotationX(-Pi / 2) * Translation({0.12f, -0.08f, -0.42f});
    b.lathe({{0, -0.03f}, {0.3f, -0.03f}, {0.32f, 0.0f}, {0.2f, 0.04f}, {0, 0.05f}}, 16, false);
    b.place = Mat4{};
}

Pose WarriorGuard() {
    return MakePose("guard", StillPose("guard"),
                    {{RightUpperArm, {0.3f, 0, -0.2f}},
                     {RightForearm, {0.9f, 0, 0}},
                     {RightHand, {0.4f, 0, 0}},
                     {LeftUpperArm, {0.7f, 0.5f, 0}},
                     {LeftForearm, {0.6f, 0, 0}}});
}

} // namespace

Model BuildWarrior() {
    Model m;
    AddHumanBones(m);
    MeshBuilder b(m);
    WarriorParts(b);
    Pose guard = WarriorGuard();
    for (int s = 0; s < 4; ++s) {
        Pose upper = MakePose("walk", guard,
                              {{Chest,
                                {0,
                                 (s == 0   ? 0.1f
                                  : s == 2 ? -0.1f
                                           : 0),
                                 0}}});
        Pose p = WalkLegs("walk", upper, s, 0.8f);
        p.name = "walk" + std::to_string(s);
        m.poses.push_back(p);
    }
    m.poses.push_back(MakePose("attack0", guard,
                               {{Waist, {-0.1f, 0.3f, 0}},
                                {RightUpperArm, {2.8f, 0, -0.3f}},
                                {RightForearm, {0.7f, 0, 0}},
                                {RightHand, {0.5f, 0, 0}}}));
    m.poses.push_back(MakePose("attack1", guard,
                               {{Waist, {0.3f, -0.3f, 0}},
                                {Chest, {0.1f, -0.2f, 0}},
                                {RightUpperArm, {1.2f, 0, 0.2f}},
                                {RightForearm, {0.2f, 0, 0}},
                                {RightHand, {0.9f, 0, 0}}}));
    for (size_t i = 0; i < m.bones.size(); ++i) m.bones[i].rotation = guard.rotations[i];
    return m;
}

// The warrior's body as thrown when it dies: the same armour, collapsed, tumbling as one.
Model BuildWarriorDead() {
    Model m;
    AddHumanBones(m);
    MeshBuilder b(m);
    WarriorParts(b);
    Pose slump = MakePose("dead", StillPose("dead"),
                          {{Waist, {0.6f, 0, 0.2f}},
                           {Head, {0.5f, 0.3f, 0.4f}},
                           {RightUpperArm, {0.2f, 0, -1.3f}},
                           {RightForearm, {0.8f, 0, 0}},
                           {LeftUpperArm, {-0.3f, 0, 1.1f}},
                           {LeftForearm, {1.2f, 0, 0}},
                           {RightThigh, {1.2f, 0, -0.3f}},
                           {RightShin, {-1.4f, 0, 0}},
                           {LeftThigh, {0.4f, 0, 0.3f}},
                           {LeftShin, {-0.9f, 0, 0}}});
    m.poses.push_back(slump);
    for (size_t i = 0; i < m.bones.size(); ++i) m.bones[i].rotation = slump.rotations[i];
    return m;
}

} // namespace forge
