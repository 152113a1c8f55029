#include "world/draw/inbetween.h"

#include "render/assetorder.h"
#include "render/object3d.h"
#include "world/creaturebase.h"
#include "world/draw/overlay.h"
#include "world/tables.h"

#include <cmath>

tinbetween inbetween;

namespace {

// Enough for any level: lists longer than this still work, the first frame with more only
// asks for memory once.
constexpr size_t ExpectedCreatures = 512;
constexpr size_t ExpectedParticles = 4096;
constexpr size_t ExpectedBullets = 512;

// A particle turns by this much about each axis every step.
constexpr float ParticleTurn = 0.1f;
// A bullet flies this many cells along its direction every step.
constexpr float BulletSpeed = 1.5f;

// A phase that runs up and starts again from its beginning would run backwards through
// the whole cycle: it is drawn as the step left it.
float PhaseBetween(float a, float b, float t) {
    return b < a ? b : Between(a, b, t);
}

} // namespace

float Between(float a, float b, float t) {
    return t == 1.0f ? b : a + (b - a) * t;
}

bool FarApart(float column1, float row1, float column2, float row2) {
    // Faster than anything walks, rides or is pushed in one step: only a jump covers it.
    constexpr float JumpDistance = 1.0f;
    return std::fabs(column1 - column2) > JumpDistance || std::fabs(row1 - row2) > JumpDistance;
}

void tinbetween::Reserve() {
    before_.creatures.reserve(ExpectedCreatures);
    now_.creatures.reserve(ExpectedCreatures);
    effectPlaces_.reserve(ExpectedParticles);
    effectAngles_.reserve(ExpectedParticles);
    bulletPlaces_.reserve(ExpectedBullets);
    movedCells_.reserve(size_t{GridSize} * GridSize);
    Models().ReadRotations(models::Hero, before_.heroPose);
    Models().ReadRotations(models::Hero, now_.heroPose);
}

void tinbetween::Capture() {
    std::swap(before_, now_);
    tstep& now = now_;
    now.hero = hero;
    now.camera = PlayCamera();
    now.introSlide = inlevel.overlay.IntroSlide;
    now.attempt = inlevel.loopstate.attempt;
    Models().ReadRotations(models::Hero, now.heroPose);
    now.creatures.clear();
    for (const auto& c : creatures)
        now.creatures.push_back({c.get(), c->model, c->column, c->row, c->height, c->walkphase,
                                 c->attackphase, c->fade});

    movedCells_.clear();
    for (int32_t column = 0; column < GridSize; ++column)
        for (int32_t row = 0; row < GridSize; ++row) {
            const ttile& tile = tiles[column][row];
            tcell& cell = now.cells[column][row];
            cell = {tile.floor, tile.anim, tile.block, tile.mechanism};
            const tcell& was = before_.cells[column][row];
            // A cell that became another kind of cell shows its new kind at once.
            if (was.block == cell.block && was.mechanism == cell.mechanism &&
                (was.floor != cell.floor || was.anim != cell.anim))
                movedCells_.push_back(static_cast<uint16_t>(column * GridSize + row));
        }

    // A new attempt, a level entered or a jump through a teleport: nothing slides there.
    const bool snap = snapNext_ || now.attempt != before_.attempt;
    heroJumped_ =
        snap || FarApart(before_.hero.column, before_.hero.row, now.hero.column, now.hero.row);
    if (snap) {
        before_ = now;
        movedCells_.clear();
    }
    snapNext_ = false;
}

const tinbetween::tbody* tinbetween::Before(const tcreature& creature, size_t& cursor) const {
    // Creatures keep their order in the list; those taken away leave gaps, new ones come last.
    const std::vector<tbody>& list = before_.creatures;
    for (size_t i = cursor; i < list.size(); ++i)
        if (list[i].who == &creature) {
            cursor = i + 1;
            const tbody& body = list[i];
            // A new creature that happens to live where a removed one lived is not it.
            if (body.model != creature.model ||
                FarApart(body.column, body.row, creature.column, creature.row))
                return nullptr;
            return &body;
        }
    return nullptr;
}

void tinbetween::Apply(float t) {
    if (applied_) Restore();
    applied_ = true;
    fraction_ = t;

    if (!heroJumped_) {
        hero.column = Between(before_.hero.column, now_.hero.column, t);
        hero.row = Between(before_.hero.row, now_.hero.row, t);
        hero.height = Between(before_.hero.height, now_.hero.height, t);
        Models().BlendRotations(models::Hero, before_.heroPose, now_.heroPose, t);
    }
    inlevel.overlay.IntroSlide = Between(before_.introSlide, now_.introSlide, t);

    size_t cursor = 0;
    for (const auto& c : creatures) {
        const tbody* was = Before(*c, cursor);
        if (!was) continue;
        c->column = Between(was->column, c->column, t);
        c->row = Between(was->row, c->row, t);
        c->height = Between(was->height, c->height, t);
        c->walkphase = PhaseBetween(was->walkphase, c->walkphase, t);
        c->attackphase = PhaseBetween(was->attackphase, c->attackphase, t);
        c->fade = Between(was->fade, c->fade, t);
    }

    for (const uint16_t index : movedCells_) {
        const int32_t column = index / GridSize, row = index % GridSize;
        const tcell& was = before_.cells[column][row];
        ttile& tile = tiles[column][row];
        tile.floor = Between(was.floor, tile.floor, t);
        tile.anim = Between(was.anim, tile.anim, t);
    }

    // Particles and bullets: where they were a step ago is where they are less one step's
    // flight; one made in this step slides from where it was made.
    const float back = 1.0f - t;
    effectPlaces_.clear();
    effectAngles_.clear();
    for (teffect& e : effects) {
        effectPlaces_.push_back(e.position);
        effectAngles_.push_back(e.angles);
        for (size_t axis = 0; axis < 3; ++axis) {
            e.position[axis] -= back * e.velocity[axis];
            e.angles[axis] -= back * ParticleTurn;
        }
    }
    bulletPlaces_.assign(bullets.begin(), bullets.end());
    for (tbullet& b : bullets) {
        const tdirection& step = Direction(b.direction);
        b.column -= back * BulletSpeed * step.column;
        b.row -= back * BulletSpeed * step.row;
    }
}

void tinbetween::Restore() {
    if (!applied_) return;
    applied_ = false;
    hero = now_.hero;
    Models().BlendRotations(models::Hero, now_.heroPose, now_.heroPose, 1.0f);
    inlevel.overlay.IntroSlide = now_.introSlide;
    size_t cursor = 0;
    for (const auto& c : creatures) {
        // Every creature of the list was captured with this step, in this order.
        while (cursor < now_.creatures.size() && now_.creatures[cursor].who != c.get()) ++cursor;
        if (cursor == now_.creatures.size()) break;
        const tbody& body = now_.creatures[cursor++];
        c->column = body.column;
        c->row = body.row;
        c->height = body.height;
        c->walkphase = body.walkphase;
        c->attackphase = body.attackphase;
        c->fade = body.fade;
    }
    for (const uint16_t index : movedCells_) {
        const int32_t column = index / GridSize, row = index % GridSize;
        tiles[column][row].floor = now_.cells[column][row].floor;
        tiles[column][row].anim = now_.cells[column][row].anim;
    }
    for (size_t i = 0; i < effects.size() && i < effectPlaces_.size(); ++i) {
        effects[i].position = effectPlaces_[i];
        effects[i].angles = effectAngles_[i];
    }
    for (size_t i = 0; i < bullets.size() && i < bulletPlaces_.size(); ++i)
        bullets[i] = bulletPlaces_[i];
}

tcamera tinbetween::Camera(float t) const {
    if (heroJumped_) return now_.camera;
    const tcamera& a = before_.camera;
    const tcamera& b = now_.camera;
    return {Between(a.eyeX, b.eyeX, t), Between(a.eyeY, b.eyeY, t), Between(a.eyeZ, b.eyeZ, t),
            Between(a.atX, b.atX, t),   Between(a.atY, b.atY, t),   Between(a.atZ, b.atZ, t)};
}
