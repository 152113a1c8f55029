#pragma once
// Every surface the models use. Each material is a procedural painting that fills one
// cell of the texture sheet; models map their faces into the cell of their material.
#include <cstdint>

#include "image.h"

namespace forge {

enum class Material : uint8_t {
    // Floor tops, in floor design order (designs above 7 are hard ground).
    Grass,
    Dirt,
    MossEarth,
    RedCarpet,
    Heather,
    Sand,
    Ash,
    BlueCarpet,
    Flagstone,
    Marble,
    GoldTile,
    Basalt,
    Mosaic,
    EarthSide,
    StoneSide,
    // Wall faces, in wall design order.
    FieldStone,
    Logs,
    OldBrick,
    MossBlock,
    MarbleWall,
    Granite,
    GoldBrick,
    LavaRock,
    IronPlate,
    Sandstone,
    Glyphs,
    RoyalWall,
    // Mechanisms.
    Belt,
    Metal,
    DarkMetal,
    TeleportGlow,
    ExitPad,
    Steel,
    HolePlate,
    TrapFace,
    RockSurface,
    // Items.
    Wood,
    Feather,
    Brass,
    Flame,
    Cork,
    Label,
    GlassRed,
    GlassPink,
    GlassYellow,
    GlassBlue,
    GlassOrange,
    GlassViolet,
    GlassBlack,
    Gold,
    ChestWood,
    GemRed,
    GemGreen,
    Blood,
    Shadow,
    GuideMark,
    Empty,
    CrumbleGlass,
    Leaf,
    Pottery,
    Bone,
    Candle,
    Banner,
    Crystal,
    Snow,
    // Creatures.
    Skin,
    Face,
    Shirt,
    Trousers,
    Boots,
    Hat,
    Leather,
    ZombieSkin,
    ZombieFace,
    Rags,
    Armour,
    Helmet,
    Tunic,
    ShieldFace,
    GhostBody,
    GhostFace,
    Count
};

struct UvRect {
    float u0, v0, u1, v1;
};

// Where a material's painting sits in the sheet (the same at both texture sizes).
UvRect MaterialRect(Material m);

// Paints every material into the sheet of the given size (1024 or 2048 pixels square).
void PaintMaterials(Image& sheet);

} // namespace forge
