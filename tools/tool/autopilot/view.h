#pragma once
// What the player can see, and all the autopilot decides from: the cells the hero has seen,
// what lies on them, the creatures and projectiles standing on seen cells, and the hero's
// own state as the status line and the picture show it. Taken from the world tables once
// per frame; nothing here writes to the world.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace autopilot {

inline constexpr int Size = 50;

enum class Cell : uint8_t {
    Unknown, // not seen yet
    Floor,
    Pit,        // no floor, or a floor sunk too low to stand on
    ClosingPit, // a pit that turns into floor once the hero has jumped over it
    Wall,       // anything solid
    Spikes,
    Plate,     // an unused switch plate
    Crumbling, // a crumbling floor still resting
    Conveyor,
    Teleport,
    Exit,
};

struct tcell {
    Cell kind = Cell::Unknown;
    int32_t item = 0;
    int32_t channel = 0;
    int32_t mechanism = 0;
    int32_t param = 0;  // timed trap counter; conveyor direction
    int32_t period = 0; // timed trap period
    float floor = 0.0f;
    float anim = 0.0f;     // spike height
    bool occupied = false; // a creature or blocker stands here
};

enum class Thing : uint8_t { Zombie, Warrior, Ghost, Arrow, Stone };

struct tthing {
    Thing kind;
    float column, row, height;
    int32_t direction;
    int32_t stun;
};

struct tbody {
    float column = 0, row = 0, height = 0, climb = 0;
    int32_t Facing = 1, Jump = 100, Energy = 100, Lives = 0, Gun = 0;
    std::array<int32_t, 4> AmmoCurrent{}, AmmoAll{};
    std::array<bool, 4> Own{};
    int32_t SpeedTimer = 0, InvincibilityTimer = 0, InvisibilityTimer = 0, BlessingTimer = 0;
    int32_t ExitFade = 0, DeathFade = 0;
};

struct tview {
    std::array<std::array<tcell, Size>, Size> cells{}; // [column][row]
    std::vector<tthing> things;
    tbody hero;

    const tcell& At(int c, int r) const {
        return cells[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
    }
    tcell& At(int c, int r) {
        return cells[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
    }
    static bool Inside(int c, int r) { return c >= 0 && c < Size && r >= 0 && r < Size; }
};

// Can the hero stand on the cell (as far as he knows)? Unknown cells are not standable.
bool Standable(Cell kind);
bool IsTreasure(int32_t item);
bool IsPotion(int32_t item);

// Reads the world tables into a view.
void Perceive(tview& view);

} // namespace autopilot
