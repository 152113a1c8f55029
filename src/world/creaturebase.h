#pragma once
// The base of everything in a level that moves or acts by itself apart from the hero.
// Creatures live in the world's `creatures` list, which owns them, and talk to each other
// only through the cells' occupied marks. The world declares the class because its list
// holds them; it only reads the fields and calls the three virtual operations, whose shared
// code (with the class's virtual table) is the world's too (world/creaturebase.cpp). The
// movement helpers and every kind live with the creatures, which the world never links: the
// kinds reach the world through the creature table (world/creaturekinds.h).
#include <cstdint>

class TDGraphics;
struct tcreaturekind;

class tcreature {
  public:
    float fade = 0.0f; // stones: opacity and size factor 0..1
    float column = 0.0f;
    float row = 0.0f;
    float height = 0.0f;
    float climb = 0.0f;
    int32_t direction = 1;
    bool moving = false;    // set at the start of a monster update, cleared by what stops it
    bool attacking = false; // the draw plays the attack pose
    float walkphase = 0.0f;
    float attackphase = 0.0f;
    int32_t stun = 0;   // warriors: recoil frames (steps of 4) after a blocked bullet
    bool awake = false; // false until the creature's cell has been seen once
    int32_t model = 0;  // its kind's model number; also the debris thrown at its death
    // The row of the creature table it was made from; nullptr for one made by hand.
    const tcreaturekind* kind = nullptr;

    // Every creature announces itself with mark 1 on its start cell.
    tcreature(int32_t direction, float column, float row);
    virtual ~tcreature() = default;
    tcreature(const tcreature&) = delete;
    tcreature& operator=(const tcreature&) = delete;

    // Once per frame; false asks the game loop to remove the creature.
    virtual bool Update();
    // Once per drawn frame, with the graphics device the frame is drawn on (for the render
    // states a kind changes around its model).
    virtual void Draw(TDGraphics& graphics);
    // The shared death: scream, free the cell, score, count, throw the debris. The caller
    // takes the creature out of the list. k is the direction the debris flies (1..8), or
    // -1 for the hero's facing.
    virtual void Die(int32_t k);

    // Is the cell a little way off (dc, dr) free of every mark? Outside the grid: no.
    bool CellFree(float dc, float dr) const;
    // Must the creature not step that way? Also wakes it once its cell has been seen.
    bool PathBlocked(float dc, float dr);
    // Moves by (dc, dr) without overshooting the hero's coordinates.
    void StepToward(float dc, float dr);
    // Turns to the direction pointing from the creature to the hero.
    void FaceHero();
    // The 8-way choice toward the hero, with a look to the left and right around obstacles.
    void SeekHero();

    int32_t CellColumn() const;
    int32_t CellRow() const;
};
