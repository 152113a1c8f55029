#include "view.h"

#include "render/assetorder.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/playerrecord.h"
#include "world/tables.h"

namespace autopilot {

namespace {

// What the pilot sees of each kind of creature, by the kind's name; a blob is invisible and
// a creature made by hand has no kind.
struct tthingname {
    std::string_view name;
    Thing thing;
};
constexpr tthingname ThingNames[] = {
    {"zombie", Thing::Zombie}, {"warrior", Thing::Warrior}, {"ghost", Thing::Ghost},
    {"arrow", Thing::Arrow},   {"stone", Thing::Stone},
};

const Thing* ThingOfKind(const tcreature& creature) {
    if (!creature.kind) return nullptr;
    for (const tthingname& entry : ThingNames)
        if (entry.name == creature.kind->name) return &entry.thing;
    return nullptr;
}

// A floor this far below its rest is falling away.
constexpr float SinkingFloor = -0.3f;

Cell KindOf(const ttile& t) {
    if (t.seen != SeenMark) return Cell::Unknown;
    if (t.solid) return Cell::Wall;
    if (t.block == NoBlock)
        return t.mechanism == mechanism::ClosingPit ? Cell::ClosingPit : Cell::Pit;
    if (t.floor < SinkingFloor && t.mechanism != mechanism::SwitchPlate) return Cell::Pit;
    if (t.block == models::Exit) return Cell::Exit;
    if (t.block == models::Teleport) return Cell::Teleport;
    if (t.block >= models::FirstConveyor && t.block < models::FirstConveyor + 8)
        return Cell::Conveyor;
    switch (t.mechanism) {
    case mechanism::SpikesHidden:
    case mechanism::SpikesSprung:
        return Cell::Spikes;
    case mechanism::SwitchPlate:
        return t.channel != 0 ? Cell::Plate : Cell::Floor;
    case mechanism::CrumblingFloor:
        return t.anim == 0.0f ? Cell::Crumbling : Cell::Pit;
    default:
        return Cell::Floor;
    }
}

} // namespace

bool Standable(Cell kind) {
    switch (kind) {
    case Cell::Floor:
    case Cell::Spikes:
    case Cell::Plate:
    case Cell::Crumbling:
    case Cell::Conveyor:
    case Cell::Teleport:
    case Cell::Exit:
        return true;
    default:
        return false;
    }
}

bool IsTreasure(int32_t item) {
    return item == item::Treasure || item == item::Treasure2 || item == item::Treasure3;
}

bool IsPotion(int32_t item) {
    return item >= item::Health && item <= item::KillAll;
}

void Perceive(tview& view) {
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            const ttile& t = tiles[static_cast<size_t>(c)][static_cast<size_t>(r)];
            tcell& cell = view.At(c, r);
            cell = tcell{};
            cell.kind = KindOf(t);
            if (cell.kind == Cell::Unknown) continue;
            cell.item = t.item;
            cell.channel = t.channel;
            cell.mechanism = t.mechanism;
            cell.param = t.param;
            cell.period = t.period;
            cell.floor = t.floor;
            cell.anim = t.anim;
            cell.occupied = t.occupied == mark::Creature;
        }
    view.things.clear();
    for (const auto& c : creatures) {
        const int cc = CellOf(c->column), cr = CellOf(c->row);
        if (!InGrid(cc, cr) ||
            tiles[static_cast<size_t>(cc)][static_cast<size_t>(cr)].seen != SeenMark)
            continue;
        const Thing* kind = ThingOfKind(*c);
        if (!kind) continue; // blobs are invisible
        view.things.push_back({*kind, c->column, c->row, c->height, c->direction, c->stun});
    }
    const tplayer& p = Player();
    tbody& h = view.hero;
    h.column = hero.column;
    h.row = hero.row;
    h.height = hero.height;
    h.climb = hero.climb;
    h.Facing = inlevel.Facing;
    h.Jump = p.Jump;
    h.Energy = p.Energy;
    h.Lives = p.Lives;
    h.Gun = p.Gun;
    h.AmmoCurrent = p.AmmoCurrent;
    h.AmmoAll = p.AmmoAll;
    h.Own = p.Own;
    h.SpeedTimer = inlevel.SpeedTimer;
    h.InvincibilityTimer = inlevel.InvincibilityTimer;
    h.InvisibilityTimer = inlevel.InvisibilityTimer;
    h.BlessingTimer = inlevel.BlessingTimer;
    h.ExitFade = inlevel.ExitFade;
    h.DeathFade = inlevel.DeathFade;
}

} // namespace autopilot
