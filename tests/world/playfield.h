#pragma once
// Small levels for play tests, drawn as rows of characters, and a runner that steps the
// hero's share of the frame in the game loop's order with scripted keys.
//
// Map characters (the first row drawn is the farthest, highest row):
//   .  floor          #  wall           _  pit            H  floor, the hero starts here
//   *  spikes         o  switch plate   L  switch-lowered wall   R  switch-raised wall
//   c  crumbling floor    p  closing pit    a  switch arrow trap  r  switch rock trap
//   S  timed rock trap    A  timed arrow trap    > < v ^  conveyors (+column, -column,
//   -row, +row)       T  teleport       P  pillar         E  exit
//   z  zombie on floor    w  warrior on floor    g  ghost on floor   B  blob on floor
// Everything outside the drawing is plain floor.
#include "engine/dinput.h"
#include "engine/random.h"
#include "engine/scriptedinput.h"
#include "engine/settings.h"
#include "engine/xmlparser.h"
#include "world/hero/hero.h"
#include "world/level/levelloader.h"
#include "world/levelfile.h"
#include "world/playerrecord.h"
#include "world/tiles/tilesupdate.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace playfield {

struct tmapchar {
    char symbol;
    int E, M = -1, O = 0;
};

inline constexpr tmapchar MapChars[] = {
    {'.', 1},         {'#', 2},         {'_', 0},         {'H', 1},    {'*', 3},
    {'o', 4},         {'L', 5},         {'R', 6},         {'c', 8},    {'p', 9},
    {'a', 10},        {'r', 11},        {'S', 12},        {'A', 13},   {'>', 14, -1, 0},
    {'<', 14, -1, 1}, {'v', 14, -1, 2}, {'^', 14, -1, 3}, {'T', 15},   {'P', 16},
    {'E', 17},        {'z', 1, 0},      {'w', 1, 1},      {'g', 1, 2}, {'B', 1, 5},
};

// A level drawn with its lowest row at `bottomRow` and its first column at `leftColumn`.
struct tmap {
    testlevel::tlevelplan plan;

    tmap(const std::vector<std::string>& rows, int leftColumn, int bottomRow) {
        const int height = static_cast<int>(rows.size());
        for (int i = 0; i < height; ++i) {
            const int row = bottomRow + height - 1 - i;
            for (size_t j = 0; j < rows[i].size(); ++j) {
                const int column = leftColumn + static_cast<int>(j);
                const char symbol = rows[i][j];
                bool known = false;
                for (const tmapchar& m : MapChars) {
                    if (m.symbol != symbol) continue;
                    testlevel::tcellplan& cell = Cell(column, row);
                    cell.E = m.E;
                    cell.M = m.M;
                    cell.O = m.O;
                    known = true;
                }
                EXPECT_TRUE(known) << "unknown map character '" << symbol << "'";
                if (symbol == 'H') Start(column, row);
            }
        }
    }
    testlevel::tcellplan& Cell(int column, int row) { return plan.World(column, row); }
    void Start(int column, int row) {
        plan.SX = std::to_string(column);
        plan.SY = std::to_string(49 - row);
    }
};

// Sounds as the world asked for them, with their volumes.
struct tsounds : tworldoutput {
    struct tplayed {
        int32_t effect;
        float volume;
    };
    std::vector<tplayed> played;

    tsounds() { UseWorldOutput(this); }
    ~tsounds() override { UseWorldOutput(nullptr); }
    void PlayEffect(int32_t effect, float volume) override { played.push_back({effect, volume}); }
    int Count(int32_t effect) const {
        int n = 0;
        for (const tplayed& p : played) n += p.effect == effect;
        return n;
    }
    void Clear() { played.clear(); }
};

// Loads the map as an attempt of the game loop starts it, then plays frames: potion
// timers, UpdateTiles, input, the hero step, his cell, facing and pick-ups.
struct tplay {
    tsounds sounds;
    TDInput input;
    int32_t frameCounter = 0;

    tplay(const tmap& map, const std::string& script = "") {
        settings = tsettings{};
        ResetWorldTables();
        Randomize(1);
        Player().Lives = 3;
        Player().Jump = 100;
        ClearWorld();
        auto root = ParseDocument(testlevel::Document(map.plan));
        EXPECT_TRUE(root && LoadLevel(*root));
        ResetLevelEntry();
        ResetAttempt();
        Keys(script);
        sounds.Clear();
    }

    // A new key script; its frame 0 is the next frame played.
    void Keys(const std::string& script) {
        std::string error;
        auto steps = ParseInputScript(script, error);
        EXPECT_TRUE(steps) << error;
        input.Release();
        EXPECT_TRUE(
            input.Init(std::make_unique<ScriptedInput>(steps ? *steps : std::vector<InputStep>{})));
    }

    void Frame() {
        for (int32_t* timer : {&inlevel.SpeedTimer, &inlevel.BlessingTimer,
                               &inlevel.InvincibilityTimer, &inlevel.InvisibilityTimer})
            if (*timer > 0) --*timer;
        frameCounter = (frameCounter + 1) & 0xFFFF;
        UpdateTiles(frameCounter);
        input.Poll();
        HeroStep(input);
        HeroCellEffects();
        HeroTakeFacing();
        PickUps();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
};

inline ttile& Tile(int column, int row) {
    return tiles[column][row];
}

} // namespace playfield
