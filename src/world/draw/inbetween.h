#pragma once
// The picture between two steps. The world moves 35 steps a second; a display refreshes 60,
// 120 or 144 times, so each refresh shows the world a fraction of the way from the step
// before to the current one. What the picture needs of a step (the hero's body, pose and
// camera, the creatures' places and animation phases, the floors and spikes of the cells)
// is kept for both steps; for one drawn frame the values in between are put into the world
// tables, and the step's own values are put back before anything else runs, so the
// simulation never reads what was drawn. Bullets and particles move in straight lines by
// their own speed, so their place a step ago needs no copy.
//
// What jumps is drawn at its new place at once: a new attempt, a teleport, a creature
// made or taken away in the step, a cell whose kind changed.
#include "render/matrix.h"
#include "world/directions.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

#include <array>
#include <cstdint>
#include <vector>

class tinbetween {
  public:
    // Room for everything a level shows, so no drawn frame has to ask for memory.
    void Reserve();
    // The next step is drawn as it is, without sliding from the step before (a new attempt).
    void SnapNext() { snapNext_ = true; }
    // After every step: the current step becomes the one before, the world's state the
    // current one.
    void Capture();
    // Puts the world a fraction (0 = the step before, 1 = the current step) of the way
    // between the two steps into the tables, for one drawn frame.
    void Apply(float fraction);
    // Puts every value Apply changed back as the current step left it.
    void Restore();
    // The camera at that fraction.
    tcamera Camera(float fraction) const;
    // The fraction the tables now show: 1 (the current step) unless a picture is between.
    float Fraction() const { return applied_ ? fraction_ : 1.0f; }

  private:
    struct tbody {
        const tcreature* who = nullptr;
        int32_t model = 0;
        float column = 0, row = 0, height = 0;
        float walkphase = 0, attackphase = 0, fade = 0;
    };
    struct tcell {
        float floor = 0, anim = 0;
        int32_t block = 0, mechanism = 0;
    };
    struct tstep {
        thero hero;
        tcamera camera{};
        float introSlide = 0;
        int32_t attempt = 0;
        std::vector<tvector> heroPose;
        std::vector<tbody> creatures;
        std::array<std::array<tcell, GridSize>, GridSize> cells{};
    };

    // The creature's entry in the step before, or nullptr for one made in this step.
    const tbody* Before(const tcreature& creature, size_t& cursor) const;

    tstep before_, now_;
    bool snapNext_ = true;
    bool heroJumped_ = true; // the hero is drawn where he is, not slid there
    bool applied_ = false;
    float fraction_ = 1.0f;
    std::vector<uint16_t> movedCells_; // cells whose floor or spikes moved in the step
    std::vector<tfloat3> effectPlaces_, effectAngles_;
    std::vector<tbullet> bulletPlaces_;
};

// A value the fraction t of the way from a to b (exactly b at 1).
float Between(float a, float b, float t);
// Farther apart than anything moves in one step: only a jump (a teleport, a new attempt)
// covers it, and what jumped is drawn at its new place.
bool FarApart(float column1, float row1, float column2, float row2);

// The one in-between picture of play.
extern tinbetween inbetween;
