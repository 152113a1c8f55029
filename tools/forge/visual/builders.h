#pragma once
// Every model the game loads, by the file name it is loaded under.
#include <span>
#include <string_view>

#include "image.h"
#include "model.h"
#include "shapes.h"

namespace forge {

// Builds the model the game loads under `file`; false for a name the forge does not know.
bool BuildModel(std::string_view file, Model& out);

// Rigid models made of parts, listed by file name in the file that builds them.
struct NamedParts {
    std::string_view file;
    void (*parts)(MeshBuilder&);
};
std::span<const NamedParts> TileParts();
std::span<const NamedParts> ItemParts();

// A rigid model: one bone at the origin and one rest pose.
Model RigidModel(void (*parts)(MeshBuilder&));
void FinishRigid(Model& model);

// Builders shared between families (the tiles under decorations, etc.).
Model BuildFloor(int design);
Model BuildWall(int design);
Model BuildConveyor(int frame);
Model BuildDecoration(int number, bool onWall);

// Floor and wall designs and the height of walls, for the scenes drawn from the models.
constexpr int FloorDesigns = 13;
constexpr int WallDesigns = 12;
constexpr float WallHeight = 1.0f;
// Floor designs above this one are hard ground (the game plays the second footstep there).
constexpr int LastSoftFloor = 7;

// "empty.exp", the unseen cell, wears a texture of one colour of its own.
constexpr const char* PlaceholderTexture = "empty.png";
Model BuildPlaceholder();
Image PaintPlaceholder();

Model BuildHero();
Model BuildZombie();
Model BuildWarrior();
Model BuildWarriorDead();
Model BuildGhost();
Model BuildPistol();
Model BuildSubmachineGun();
Model BuildAssaultRifle();

} // namespace forge
