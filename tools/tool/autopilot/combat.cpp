// Combat: hold the best gun that has rounds, and shoot zombies and warriors that stand in a
// line the hero can face. Warriors parry a bullet that meets them head on, so a warrior is
// shot only from a direction that is not straight into its face.
#include "pilot.h"
#include "shopping.h"

#include "world/directions.h"

#include <array>
#include <cmath>

namespace autopilot {

namespace {

constexpr float Range = 9.0f;
constexpr float LineWidth = 0.45f; // a bullet within 0.8 of a monster meets it
// A warrior this close that parries is stepped round rather than shot at; the look is how
// far to the side there must be floor.
constexpr float SidestepRange = Range, SidestepLook = 0.3f;
// How far ahead of itself a warrior needs free floor to turn that way (cells).
constexpr float TurnLook = 0.5f;
// A monster this close does not wait for a magazine to be refilled.
constexpr float ReloadDanger = 5.0f;

int BestGun(const tview& view) {
    const tbody& hero = view.hero;
    auto best = [&hero](bool loaded) {
        int gun = 0;
        for (int g = 1; g <= 3; ++g)
            if (hero.Own[size_t(g)] &&
                (loaded ? hero.AmmoCurrent[size_t(g)]
                        : hero.AmmoCurrent[size_t(g)] + hero.AmmoAll[size_t(g)]) > 0 &&
                GunRank(g) > GunRank(gun))
                gun = g;
        return gun;
    };
    // The magazine refills only in the hand, in two seconds: with a monster close, another
    // gun that is loaded fights on meanwhile.
    const int any = best(false);
    if (any == 0 || hero.AmmoCurrent[size_t(any)] > 0) return any;
    bool close = false;
    for (const tthing& t : view.things)
        close |= (t.kind == Thing::Zombie || t.kind == Thing::Warrior) &&
                 std::hypot(t.column - hero.column, t.row - hero.row) < ReloadDanger;
    const int loaded = close ? best(true) : 0;
    return loaded != 0 ? loaded : any;
}

// Is the straight line from the hero to the point free of walls?
bool ClearLine(const tview& view, float c0, float r0, float c1, float r1) {
    const float length = std::hypot(c1 - c0, r1 - r0);
    const int samples = int(length / 0.2f) + 1;
    for (int i = 1; i < samples; ++i) {
        const float t = float(i) / float(samples);
        const int c = CellOf(c0 + (c1 - c0) * t), r = CellOf(r0 + (r1 - r0) * t);
        if (!tview::Inside(c, r) || view.At(c, r).kind == Cell::Wall) return false;
    }
    return true;
}

// The side of the line (a quarter turn either way) with room to step to, the side the hero
// already leans to first; 0 when neither has room. The warrior must have room to turn as
// well: walking a corridor it keeps facing along it, whatever the hero does.
int Sidestep(const tview& view, int aim, const tthing& warrior) {
    const tbody& h = view.hero;
    const int left = (aim + 5) % 8 + 1, right = (aim + 1) % 8 + 1;
    const tdirection& r = Direction(right);
    const float lean =
        (h.column - float(CellOf(h.column))) * r.column + (h.row - float(CellOf(h.row))) * r.row;
    for (int side : lean >= 0 ? std::array{right, left} : std::array{left, right}) {
        const tdirection& turned = Direction(side == right ? (aim + 2) % 8 + 1 : (aim + 4) % 8 + 1);
        const int tc = CellOf(warrior.column + turned.column * TurnLook / Direction(1).row);
        const int tr = CellOf(warrior.row + turned.row * TurnLook / Direction(1).row);
        if (!tview::Inside(tc, tr) || view.At(tc, tr).kind == Cell::Wall) continue;
        const tdirection& s = Direction(side);
        const float length = std::hypot(s.column, s.row);
        const int c = CellOf(h.column + SidestepLook * s.column / length);
        const int rr = CellOf(h.row + SidestepLook * s.row / length);
        // Within his own cell he may lean even on a floor that has begun to fall.
        if (c == CellOf(h.column) && rr == CellOf(h.row)) return side;
        if (tview::Inside(c, rr) && Standable(view.At(c, rr).kind) &&
            view.At(c, rr).kind != Cell::Spikes && !view.At(c, rr).occupied)
            return side;
    }
    return 0;
}

} // namespace

tcombat Fight(const tview& view, bool changeHeldLastFrame) {
    tcombat fight;
    const tbody& h = view.hero;
    const int best = BestGun(view);
    if (best != 0 && h.Gun != best) {
        fight.change = !changeHeldLastFrame; // the key works on its press only
        return fight;
    }
    if (h.Gun == 0 || h.AmmoCurrent[size_t(h.Gun)] == 0) return fight;

    float nearest = Range;
    int aim = 0;
    const tthing* target = nullptr;
    for (const tthing& t : view.things) {
        if (t.kind != Thing::Zombie && t.kind != Thing::Warrior) continue;
        const float dc = t.column - h.column, dr = t.row - h.row;
        const float distance = std::hypot(dc, dr);
        if (distance >= nearest || !ClearLine(view, h.column, h.row, t.column, t.row)) continue;
        for (int d = 1; d <= 8; ++d) {
            // Head on, a warrior parries: shoot it so only when no other line opens (a
            // parry at least holds it where it stands).
            const bool parried = t.kind == Thing::Warrior && Opposite(t.direction) == d;
            const tdirection& s = Direction(d);
            const float length = std::hypot(s.column, s.row);
            const float ux = s.column / length, uy = s.row / length;
            const float along = dc * ux + dr * uy;
            const float across = std::fabs(dc * uy - dr * ux);
            if (along <= 0.3f || across > LineWidth) continue;
            if (parried && aim != 0) continue;
            // The hero's own facing first: no turn needed.
            if (aim == 0 || d == h.Facing || distance < nearest) {
                aim = d;
                nearest = distance;
                target = &t;
                if (d == h.Facing) break;
            }
        }
    }
    if (aim == 0) return fight;
    // A stunned warrior does not turn: stepping aside would not get past its shield. Nor
    // does a step help against one slantwise: off a diagonal it still faces him slantwise.
    if (target->kind == Thing::Warrior && target->stun <= 0 && Opposite(target->direction) == aim &&
        aim % 2 == 1 && nearest < SidestepRange) {
        fight.sidestep = Sidestep(view, aim, *target);
    }
    if (aim == h.Facing)
        fight.fire = true;
    else
        fight.face = aim;
    return fight;
}

} // namespace autopilot
