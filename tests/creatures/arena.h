#pragma once
// A small stage for creature tests: a clean, fully seen floor, the hero placed by hand,
// the sounds the creatures ask for, and the frame's creature and bullet passes in the game
// loop's order.
#include "creatures/creature.h"
#include "engine/random.h"
#include "engine/settings.h"
#include "render/assetorder.h"
#include "world/creaturelist.h"
#include "world/particles.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <gtest/gtest.h>

#include <vector>

struct tsoundlog : tworldoutput {
    struct tplayed {
        int32_t effect;
        float volume;
    };
    std::vector<tplayed> played;

    tsoundlog() { UseWorldOutput(this); }
    ~tsoundlog() override { UseWorldOutput(nullptr); }
    void PlayEffect(int32_t effect, float volume) override { played.push_back({effect, volume}); }
    int Count(int32_t effect) const {
        int n = 0;
        for (const tplayed& p : played) n += p.effect == effect;
        return n;
    }
};

struct Arena : ::testing::Test {
    tsoundlog sounds;

    void SetUp() override {
        settings = tsettings{};
        ResetWorldTables();
        ClearWorld();
        SeeAll(true);
        Randomize(11);
        Player().Energy = 10000; // enough to watch many blows land
        Player().Gun = 1;
        inlevel.Facing = 1;
    }
    void TearDown() override { ResetWorldTables(); }

    static void SeeAll(bool seen) {
        for (auto& line : tiles)
            for (ttile& t : line) t.seen = seen ? SeenMark : 0;
    }
    static void Hero(float column, float row, float height = 0.0f) {
        hero.column = column;
        hero.row = row;
        hero.height = height;
    }
    static void Wall(int column, int row) {
        tiles[column][row].block = models::FirstWall;
        tiles[column][row].solid = 1;
    }
    static void Pit(int column, int row) {
        tiles[column][row].block = NoBlock;
        tiles[column][row].floor = PitFloor;
    }
    static void Bullet(float column, float row, int32_t direction, float height = 1.5f) {
        bullets.push_back({column, height, row, direction});
    }
    static tcreature& Last() { return *creatures.back(); }

    // Frame step 9 (creatures, last to first) and step 12 (bullets fly).
    static void Frame() {
        UpdateCreatures();
        UpdateBullets();
    }
    static void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
};
