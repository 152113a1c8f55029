#pragma once
// The three monsters. Zombies and warriors walk toward the hero, strike him at close range
// and can be shot (a warrior blocks bullets coming at its front); ghosts drift toward him
// through anything, hurt him a little every frame he stays near and cannot be shot. The
// Add operations of the world create them, with direction 1 and the model their debris
// shows at death.
#include "creatures/creature.h"
#include "render/assetorder.h"
#include "world/tables.h"

#include <cstdint>

// A run of bones of a pose blend; first > last marks an unused entry.
struct tbonerun {
    int32_t first, last;
};

// What tells the three kinds apart.
struct tmonsterkind {
    int32_t drawnModel; // the model drawn (the debris model is the creature's own `model`)
    int32_t cellMark;   // its mark in `occupied` while alive
    // One walking step is the direction's step divided by these, column and row.
    float columnDivisor, rowDivisor;
    // The look ahead for other creatures before a step: the direction's step / this.
    float lookDivisor;
    float walkPhaseStep;
    int32_t walkKeyframes; // the walk cycles through keyframes 0..n-1; the phase wraps at n
    float attackRange;     // distance to the hero below which it strikes
    int32_t strikeDamage;  // handed to HurtHero
    tbonerun attackBones[2];
};

// The zombie is quicker along rows than along columns.
inline constexpr tmonsterkind ZombieKind{.drawnModel = models::Zombie,
                                         .cellMark = mark::Creature,
                                         .columnDivisor = 5.0f,
                                         .rowDivisor = 3.5f,
                                         .lookDivisor = 3.5f,
                                         .walkPhaseStep = 0.2f,
                                         .walkKeyframes = 4,
                                         .attackRange = 0.8f,
                                         .strikeDamage = 18,
                                         .attackBones = {{1, 1}, {4, 11}}};

inline constexpr tmonsterkind WarriorKind{.drawnModel = models::Warrior,
                                          .cellMark = mark::Creature,
                                          .columnDivisor = 5.0f,
                                          .rowDivisor = 5.0f,
                                          .lookDivisor = 5.0f,
                                          .walkPhaseStep = 0.08f,
                                          .walkKeyframes = 4,
                                          .attackRange = 1.2f,
                                          .strikeDamage = 36,
                                          .attackBones = {{1, 11}, {1, 0}}};

// Ghosts have no attack pose; their strike is a touch every frame.
inline constexpr tmonsterkind GhostKind{.drawnModel = models::Ghost,
                                        .cellMark = mark::Ghost,
                                        .columnDivisor = 7.0f,
                                        .rowDivisor = 7.0f,
                                        .lookDivisor = 7.0f,
                                        .walkPhaseStep = 0.01f,
                                        .walkKeyframes = 2,
                                        .attackRange = 1.4f,
                                        .strikeDamage = 3,
                                        .attackBones = {{1, 0}, {1, 0}}};

// Percent chance that a bullet reaching a zombie or warrior kills it, by the player's Gun.
// A bullet still flying after a change to no gun never kills.
inline constexpr int32_t HitChance[4] = {0, 30, 25, 40};
constexpr int32_t HitChanceOf(int32_t gun) {
    return (gun >= 0 && gun <= 3) ? HitChance[gun] : 0;
}

class tzombie : public tcreature {
  public:
    tzombie(float column, float row) : tcreature(1, column, row) {}
    bool Update() override;
    void Draw(TDGraphics& graphics) override;
};

class twarrior : public tcreature {
  public:
    // A blocked bullet stuns the warrior for 252 / 4 = 63 frames.
    static constexpr int32_t StunOnBlock = 252;
    static constexpr int32_t StunPerFrame = 4;

    twarrior(float column, float row) : tcreature(1, column, row) {}
    bool Update() override;
    void Draw(TDGraphics& graphics) override;
};

class tghost : public tcreature {
  public:
    static constexpr int32_t SoundInterval = 15; // frames between two contact sounds

    int32_t soundwait = 0; // frames until the contact sound may play again
    tghost(float column, float row) : tcreature(1, column, row) {}
    bool Update() override;
    void Draw(TDGraphics& graphics) override;
};
