#pragma once
// The order in which the game loads its models, pictures and sound effects. Every asset is
// addressed by its index in its store (models, sprites, effects), handed out in load order,
// so this one table is what start-up, the data checker, the forge and the world code share.
#include <array>
#include <cstdint>
#include <string_view>

enum class AssetKind : uint8_t {
    RigidModel,   // "<TextureFolder><file>" with AddModel
    SkinnedModel, // "<TextureFolder><file>" with AddSkinnedModel
    Picture,      // one sprite cut from a picture (file under "gfx\" or the texture folder)
    FontGlyphs,   // the 91 glyph sprites of the bitmap font, one per rectangle of the font table
    MusicName,    // remembered, not loaded
    Effect,       // a sound effect with LoadEffect
};

enum class AssetGroup : uint8_t { BeforeIntro, Models, AfterModels };

struct PictureRect {
    int32_t left, top, width, height;
};

struct AssetEntry {
    AssetGroup group;
    AssetKind kind;
    const char* file;     // as the game names it
    bool inTextureFolder; // prefixed with "gfx1024\" or "gfx2048\"
    bool waitBefore;      // the loading picture is shown before this entry
    const char* context;  // error context set before this entry; nullptr keeps the last one
    PictureRect rect2048; // pictures cut from the texture sheet, per texture folder
    PictureRect rect1024;
};

namespace assetorder_detail {
using K = AssetKind;
using G = AssetGroup;
constexpr PictureRect none{0, 0, 0, 0};
constexpr AssetEntry rigid(const char* file, bool wait = false, const char* context = nullptr) {
    return {G::Models, K::RigidModel, file, true, wait, context, none, none};
}
constexpr AssetEntry skinned(const char* file, bool wait = false, const char* context = nullptr) {
    return {G::Models, K::SkinnedModel, file, true, wait, context, none, none};
}
constexpr AssetEntry shop(PictureRect big, PictureRect small) {
    return {G::BeforeIntro, K::Picture, "textures.png", true, false, nullptr, big, small};
}
constexpr AssetEntry effect(const char* file, bool wait = false) {
    return {G::AfterModels, K::Effect, file, false, wait, nullptr, none, none};
}
} // namespace assetorder_detail

inline constexpr auto AssetOrder = [] {
    using namespace assetorder_detail;
    return std::array{
        // Before the intro.
        AssetEntry{G::BeforeIntro, K::SkinnedModel, "3dhahmobin.exp", true, false, nullptr, none,
                   none},
        AssetEntry{G::BeforeIntro, K::RigidModel, "guide.exp", true, false, nullptr, none, none},
        AssetEntry{G::BeforeIntro,
                   K::Picture,
                   "gfx\\mainmenu.jpg",
                   false,
                   false,
                   nullptr,
                   {0, 0, 800, 450},
                   {0, 0, 800, 450}},
        shop({1024, 512, 250, 160}, {512, 256, 125, 80}),
        shop({1274, 672, 250, 160}, {637, 336, 125, 80}),
        shop({1274, 512, 250, 160}, {637, 256, 125, 80}),
        shop({1024, 832, 250, 160}, {512, 416, 125, 80}),
        shop({1024, 672, 250, 160}, {512, 336, 125, 80}),
        shop({1274, 832, 250, 160}, {637, 416, 125, 80}),
        AssetEntry{G::BeforeIntro, K::FontGlyphs, "gfx\\testfont.png", false, false, nullptr, none,
                   none},

        // The models.
        rigid("laatta1.exp"),
        rigid("laatta2.exp"),
        rigid("laatta3.exp"),
        rigid("laatta4.exp"),
        rigid("laatta5.exp"),
        rigid("laatta6.exp"),
        rigid("laatta7.exp"),
        rigid("laatta8.exp"),
        rigid("laatta9.exp"),
        rigid("laatta10.exp"),
        rigid("laatta11.exp"),
        rigid("laatta12.exp"),
        rigid("laatta13.exp"),
        rigid("maali.exp"),
        rigid("mask.exp", true),
        rigid("conveyor1.exp"),
        rigid("conveyor2.exp"),
        rigid("conveyor3.exp"),
        rigid("conveyor4.exp"),
        rigid("conveyor5.exp"),
        rigid("conveyor6.exp"),
        rigid("conveyor7.exp"),
        rigid("conveyor8.exp"),
        rigid("teleport.exp"),
        rigid("seina1.exp", true),
        rigid("seina2.exp"),
        rigid("seina3.exp"),
        rigid("seina4.exp"),
        rigid("seina5.exp"),
        rigid("seina6.exp"),
        rigid("seina7.exp"),
        rigid("seina8.exp"),
        rigid("seina9.exp"),
        rigid("seina10.exp"),
        rigid("seina11.exp"),
        rigid("seina12.exp"),
        skinned("weapon2.exp", false, "Error loading weapon2.exp"),
        skinned("weapon1.exp", false, "Error loading weapon1.exp"),
        skinned("weapon3.exp", false, "Error loading weapon3.exp"),
        rigid("liekki.exp"),
        rigid("hylsy.exp"),
        rigid("ammo.exp"),
        skinned("treasure1.exp", false, "File treasure1.exp not found"),
        rigid("treasure2.exp"),
        rigid("treasure3.exp"),
        rigid("spikes.exp", true, "Error loading spikes.exp"),
        rigid("spikeholes.exp"),
        rigid("blood.exp", false, "Error loading blood.exp"),
        rigid("potion_of_speed.exp", false, "Error loading speedpot.exp"),
        rigid("potion_of_health.exp", false, "Error loading healthpot.exp"),
        rigid("potion_of_invisibility.exp", true, "Error loading invispot.exp"),
        rigid("potion_of_invincility.exp", false, "Error loading invinpot.exp"),
        rigid("potion_of_blessing.exp", false, "Error loading blesspot.exp"),
        rigid("potion_of_life.exp", false, "Error loading lifepot.exp"),
        rigid("potion_of_kill_all.exp", false, "Error loading killpot.exp"),
        rigid("shadow.exp"),
        skinned("zombie.exp"),
        skinned("zombie.exp"),
        rigid("createlaatta.exp"),
        rigid("empty.exp"),
        skinned("ghost.exp", true),
        skinned("ghost.exp"),
        skinned("warrior.exp"),
        skinned("warriordead.exp"),
        rigid("rock.exp"),
        rigid("rock.exp"),
        rigid("arrow.exp"),
        rigid("arrow.exp"),
        rigid("arrowshadow.exp"),
        rigid("arrowtrap.exp"),
        rigid("rocktrap.exp"),
        rigid("pylvas1.exp", false, "Error loading pylvas1.exp"),
        rigid("patsas2.exp"),
        rigid("pylvas2.exp"),
        rigid("pylvas3.exp"),
        rigid("pylvas4.exp"),
        rigid("koriste1.exp"),
        rigid("koriste2.exp"),
        rigid("koriste3.exp"),
        rigid("koriste4.exp"),
        rigid("koriste5.exp"),
        rigid("koriste6.exp"),
        rigid("koriste7.exp"),
        rigid("koriste1s.exp"),
        rigid("koriste2s.exp"),
        rigid("koriste3s.exp"),
        rigid("koriste4s.exp"),
        rigid("koriste5s.exp"),
        rigid("koriste6s.exp"),
        rigid("koriste7s.exp"),

        // After the models: two more pictures, the music names, the sound effects.
        AssetEntry{G::AfterModels,
                   K::Picture,
                   "textures.png",
                   true,
                   true,
                   nullptr,
                   {1027, 1589, 93, 38},
                   {513, 794, 47, 19}},
        AssetEntry{G::AfterModels,
                   K::Picture,
                   "textures.png",
                   true,
                   false,
                   nullptr,
                   {1029, 1537, 1, 1},
                   {517, 769, 1, 1}},
        AssetEntry{G::AfterModels, K::MusicName, "snd\\menu4.ogg", false, true, nullptr, none,
                   none},
        AssetEntry{G::AfterModels, K::MusicName, "snd\\menu3.ogg", false, false, nullptr, none,
                   none},
        effect("snd\\ghost.wav"),
        effect("snd\\belt.wav"),
        effect("snd\\complete.wav"),
        effect("snd\\lats2.wav"),
        effect("snd\\points2.wav"),
        effect("snd\\clip.wav"),
        effect("snd\\spikes1.wav"),
        effect("snd\\teleport.wav"),
        effect("snd\\button.wav"),
        effect("snd\\shot.wav"),
        effect("snd\\shot2.wav"),
        effect("snd\\shot3.wav"),
        effect("snd\\askel.wav"),
        effect("snd\\askel2.wav"),
        effect("snd\\shell1.wav"),
        effect("snd\\shell2.wav"),
        effect("snd\\crack.wav", true),
        effect("snd\\naps.wav"),
        effect("snd\\argh1.wav"),
        effect("snd\\argh2.wav"),
        effect("snd\\auts.wav"),
        effect("snd\\test.wav"),
        effect("snd\\hit.wav"),
        effect("snd\\arrow.wav"),
        effect("snd\\rock.wav"),
    };
}();

inline constexpr int FontGlyphCount = 91;

// Which store an entry's index belongs to.
enum class AssetStore : uint8_t { Models, Sprites, Effects, None };

constexpr AssetStore StoreOf(AssetKind kind) {
    switch (kind) {
    case AssetKind::RigidModel:
    case AssetKind::SkinnedModel:
        return AssetStore::Models;
    case AssetKind::Picture:
    case AssetKind::FontGlyphs:
        return AssetStore::Sprites;
    case AssetKind::Effect:
        return AssetStore::Effects;
    case AssetKind::MusicName:
        return AssetStore::None;
    }
    return AssetStore::None;
}

constexpr int SlotsTaken(AssetKind kind) {
    return kind == AssetKind::FontGlyphs ? FontGlyphCount : 1;
}

// The store index that the entry at position `row` of AssetOrder receives.
constexpr int StoreIndexOfRow(size_t row) {
    AssetStore store = StoreOf(AssetOrder[row].kind);
    int index = 0;
    for (size_t i = 0; i < row; ++i)
        if (StoreOf(AssetOrder[i].kind) == store) index += SlotsTaken(AssetOrder[i].kind);
    return index;
}

// The store index of the `copy`-th entry (from 0) loading `file`; -1 when there is none.
// A second picture from the same sheet is found with copy = 1, 2, ...
constexpr int AssetIndex(std::string_view file, int copy = 0) {
    for (size_t row = 0; row < AssetOrder.size(); ++row)
        if (file == AssetOrder[row].file && copy-- == 0) return StoreIndexOfRow(row);
    return -1;
}

// The indices the game stores while loading, by name.
namespace models {
inline constexpr int Hero = AssetIndex("3dhahmobin.exp");
inline constexpr int Guide = AssetIndex("guide.exp");
inline constexpr int FirstFloor = AssetIndex("laatta1.exp");
inline constexpr int Exit = AssetIndex("maali.exp");
inline constexpr int Mask = AssetIndex("mask.exp");
inline constexpr int FirstConveyor = AssetIndex("conveyor1.exp");
inline constexpr int Teleport = AssetIndex("teleport.exp");
inline constexpr int FirstWall = AssetIndex("seina1.exp");
inline constexpr int Weapon2 = AssetIndex("weapon2.exp");
inline constexpr int Weapon1 = AssetIndex("weapon1.exp");
inline constexpr int Weapon3 = AssetIndex("weapon3.exp");
inline constexpr int MuzzleFlash = AssetIndex("liekki.exp");
inline constexpr int Shell = AssetIndex("hylsy.exp");
inline constexpr int Ammo = AssetIndex("ammo.exp");
inline constexpr int Treasure1 = AssetIndex("treasure1.exp");
inline constexpr int Treasure2 = AssetIndex("treasure2.exp");
inline constexpr int Treasure3 = AssetIndex("treasure3.exp");
inline constexpr int Spikes = AssetIndex("spikes.exp");
inline constexpr int SpikeHoles = AssetIndex("spikeholes.exp");
inline constexpr int Blood = AssetIndex("blood.exp");
inline constexpr int SpeedPotion = AssetIndex("potion_of_speed.exp");
inline constexpr int HealthPotion = AssetIndex("potion_of_health.exp");
inline constexpr int InvisibilityPotion = AssetIndex("potion_of_invisibility.exp");
inline constexpr int InvincibilityPotion = AssetIndex("potion_of_invincility.exp");
inline constexpr int BlessingPotion = AssetIndex("potion_of_blessing.exp");
inline constexpr int LifePotion = AssetIndex("potion_of_life.exp");
inline constexpr int KillAllPotion = AssetIndex("potion_of_kill_all.exp");
inline constexpr int Shadow = AssetIndex("shadow.exp");
inline constexpr int Zombie = AssetIndex("zombie.exp");
inline constexpr int Zombie2 = AssetIndex("zombie.exp", 1);
inline constexpr int CrumbleFloor = AssetIndex("createlaatta.exp");
inline constexpr int Empty = AssetIndex("empty.exp");
inline constexpr int Ghost = AssetIndex("ghost.exp");
inline constexpr int Ghost2 = AssetIndex("ghost.exp", 1);
inline constexpr int Warrior = AssetIndex("warrior.exp");
inline constexpr int WarriorDead = AssetIndex("warriordead.exp");
inline constexpr int Rock = AssetIndex("rock.exp");
inline constexpr int Rock2 = AssetIndex("rock.exp", 1);
inline constexpr int Arrow = AssetIndex("arrow.exp");
inline constexpr int Arrow2 = AssetIndex("arrow.exp", 1);
inline constexpr int ArrowShadow = AssetIndex("arrowshadow.exp");
inline constexpr int ArrowTrap = AssetIndex("arrowtrap.exp");
inline constexpr int RockTrap = AssetIndex("rocktrap.exp");
inline constexpr int FirstPillar = AssetIndex("pylvas1.exp");
inline constexpr int FirstDecoration = AssetIndex("koriste1.exp");
inline constexpr int FirstDecorationShadow = AssetIndex("koriste1s.exp");
} // namespace models

namespace sprites {
inline constexpr int MenuBackground = AssetIndex("gfx\\mainmenu.jpg");
inline constexpr int FirstShopPicture = AssetIndex("textures.png");
inline constexpr int FirstFontGlyph = AssetIndex("gfx\\testfont.png");
inline constexpr int StartPicture = AssetIndex("textures.png", 6);
inline constexpr int FadeTexel = AssetIndex("textures.png", 7);
} // namespace sprites

namespace sfx {
inline constexpr int Ghost = AssetIndex("snd\\ghost.wav");
inline constexpr int Belt = AssetIndex("snd\\belt.wav");
inline constexpr int Complete = AssetIndex("snd\\complete.wav");
inline constexpr int Lats2 = AssetIndex("snd\\lats2.wav");
inline constexpr int Points = AssetIndex("snd\\points2.wav");
inline constexpr int Clip = AssetIndex("snd\\clip.wav");
inline constexpr int Spikes = AssetIndex("snd\\spikes1.wav");
inline constexpr int Teleport = AssetIndex("snd\\teleport.wav");
inline constexpr int Button = AssetIndex("snd\\button.wav");
inline constexpr int FirstShot = AssetIndex("snd\\shot.wav");
inline constexpr int FirstStep = AssetIndex("snd\\askel.wav");
inline constexpr int FirstShell = AssetIndex("snd\\shell1.wav");
inline constexpr int Crack = AssetIndex("snd\\crack.wav");
inline constexpr int MenuClick = AssetIndex("snd\\naps.wav");
inline constexpr int Argh1 = AssetIndex("snd\\argh1.wav");
inline constexpr int Argh2 = AssetIndex("snd\\argh2.wav");
inline constexpr int Auts = AssetIndex("snd\\auts.wav");
inline constexpr int Test = AssetIndex("snd\\test.wav");
inline constexpr int Hit = AssetIndex("snd\\hit.wav");
inline constexpr int ArrowTrap = AssetIndex("snd\\arrow.wav");
inline constexpr int RockTrap = AssetIndex("snd\\rock.wav");
} // namespace sfx

inline constexpr const char* MenuMusic = "snd\\menu4.ogg";
inline constexpr const char* GameOverMusic = "snd\\menu3.ogg";
