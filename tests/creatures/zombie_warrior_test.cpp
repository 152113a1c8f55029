// Zombies and warriors as the hero meets them: blows on a 20-frame cycle, walking speeds,
// pits and unseen cells, the potions, bullets and the warrior's shield, crushing.
#include "arena.h"

#include "creatures/monsters.h"

#include <cmath>

namespace {

using ZombieWarrior = Arena;

TEST_F(ZombieWarrior, ZombieStrikesEveryTwentyFramesWhileTheHeroStaysClose) {
    AddZombie(10, 10);
    Hero(10.0f, 10.5f);
    std::vector<int> strikes;
    for (int frame = 0; frame < 61; ++frame) {
        const int32_t before = Player().Energy;
        Frame();
        const int32_t taken = before - Player().Energy;
        if (taken != 0) {
            strikes.push_back(frame);
            EXPECT_GE(taken, 9);
            EXPECT_LE(taken, 18);
        }
    }
    EXPECT_EQ(strikes, (std::vector<int>{0, 20, 40, 60}));
    EXPECT_EQ(sounds.Count(sfx::Hit), 4);
    EXPECT_TRUE(Last().attacking);
    EXPECT_FLOAT_EQ(Last().row, 10.0f); // it stands still while striking

    // Out of reach the cycle starts over: the next approach strikes at once.
    Hero(10.0f, 12.0f);
    Frame();
    EXPECT_FALSE(Last().attacking);
    EXPECT_EQ(Last().attackphase, 0.0f);
    Hero(10.0f, Last().row + 0.5f);
    const int32_t before = Player().Energy;
    Frame();
    EXPECT_LT(Player().Energy, before);

    // A hero dropping into a pit is beyond its blows.
    Hero(10.0f, Last().row + 0.5f, -0.6f);
    const int32_t falling = Player().Energy;
    Frames(30);
    EXPECT_EQ(Player().Energy, falling);
}

TEST_F(ZombieWarrior, WarriorReachesFartherAndHitsHarder) {
    AddWarrior(10, 10);
    AddZombie(10, 20);
    Hero(10.0f, 11.1f); // within the warrior's 1.2
    std::vector<int> strikes;
    for (int frame = 0; frame < 41; ++frame) {
        const int32_t before = Player().Energy;
        Frame();
        if (before != Player().Energy) {
            strikes.push_back(frame);
            EXPECT_GE(before - Player().Energy, 18);
            EXPECT_LE(before - Player().Energy, 36);
        }
    }
    EXPECT_EQ(strikes, (std::vector<int>{0, 20, 40}));
    // A zombie 0.85 away does not strike yet; it walks up instead.
    creatures.clear();
    AddZombie(10, 20);
    Hero(20.0f, 10.85f);
    const int32_t energy = Player().Energy;
    Frame();
    EXPECT_EQ(Player().Energy, energy);
    EXPECT_FALSE(Last().attacking);
    EXPECT_GT(Last().row, 10.0f);
}

TEST_F(ZombieWarrior, WalkingSpeedsAndPhases) {
    // The zombie is quicker along rows (step / 3.5) than along columns (step / 5).
    AddZombie(10, 10);
    Hero(10.0f, 30.0f);
    Frame();
    EXPECT_FLOAT_EQ(Last().row, 10.0f + 0.16f / 3.5f);
    EXPECT_FLOAT_EQ(Last().walkphase, 0.2f);
    Hero(30.0f, Last().row);
    Frame();
    EXPECT_EQ(Last().direction, 3);
    EXPECT_FLOAT_EQ(Last().column, 10.0f + 0.16f / 5.0f);
    // The walk cycle wraps after 20 steps.
    Frames(17);
    EXPECT_NEAR(Last().walkphase, 3.8f, 1e-4f);
    Frame();
    EXPECT_EQ(Last().walkphase, 0.0f);

    // The warrior walks at step / 5 on both axes, diagonally too.
    creatures.clear();
    ClearWorld();
    SeeAll(true);
    AddWarrior(20, 20);
    Hero(30.0f, 30.0f);
    Frame();
    EXPECT_EQ(Last().direction, 2);
    EXPECT_FLOAT_EQ(Last().column, 20.0f + 0.13f / 5.0f);
    EXPECT_FLOAT_EQ(Last().row, 20.0f + 0.13f / 5.0f);
    EXPECT_FLOAT_EQ(Last().walkphase, 0.08f);
    // Its phase wraps at 4 too, though 0.08 never adds up to exactly 4.
    for (int i = 0; i < 60; ++i) {
        Frame();
        EXPECT_LT(Last().walkphase, 4.0f);
    }
    // The mark follows it.
    EXPECT_EQ(tiles[CellOf(Last().column)][CellOf(Last().row)].occupied, mark::Creature);
}

TEST_F(ZombieWarrior, UnseenMonstersWaitAndPitsStopThem) {
    SeeAll(false);
    AddZombie(10, 10);
    Hero(10.0f, 15.0f);
    Frames(50);
    EXPECT_FLOAT_EQ(Last().row, 10.0f);
    EXPECT_FALSE(Last().awake);
    EXPECT_EQ(tiles[10][10].occupied, mark::Creature);

    // Once its cell is seen it walks, and stops short of a pit without falling in.
    tiles[10][10].seen = SeenMark;
    Pit(9, 11);
    Pit(10, 11);
    Pit(11, 11);
    Frames(200);
    EXPECT_TRUE(Last().awake);
    EXPECT_GT(Last().row, 10.0f);
    EXPECT_EQ(CellOf(Last().row), 10);
    EXPECT_FALSE(Last().moving);
    EXPECT_EQ(creatures.size(), 1u);
}

TEST_F(ZombieWarrior, PotionsTurnHoldAndKill) {
    AddZombie(10, 10);
    AddWarrior(20, 10);
    Hero(15.0f, 15.0f);

    // Invisible hero: they turn toward him but stand and never strike.
    inlevel.InvisibilityTimer = 100;
    Frame();
    EXPECT_EQ(creatures[0]->direction, 2);
    EXPECT_EQ(creatures[1]->direction, 4);
    EXPECT_FLOAT_EQ(creatures[0]->column, 10.0f);
    EXPECT_FLOAT_EQ(creatures[1]->row, 20.0f);
    Hero(10.0f, 10.5f);
    const int32_t energy = Player().Energy;
    Frames(25);
    EXPECT_EQ(Player().Energy, energy);
    EXPECT_FALSE(creatures[0]->attacking);
    inlevel.InvisibilityTimer = 0;

    // Blessing: they walk straight away from him.
    Hero(15.0f, 15.0f);
    inlevel.BlessingTimer = 100;
    Frame();
    EXPECT_EQ(creatures[0]->direction, 6);
    EXPECT_FLOAT_EQ(creatures[0]->column, 10.0f - 0.13f / 5.0f);
    EXPECT_FLOAT_EQ(creatures[0]->row, 10.0f - 0.13f / 3.5f);
    EXPECT_EQ(creatures[1]->direction, 8);
    inlevel.BlessingTimer = 0;

    // Invincible: a zombie within 0.8 and a warrior within 1.2 die on contact.
    inlevel.InvincibilityTimer = 100;
    Hero(creatures[1]->column + 1.1f, creatures[1]->row);
    const int32_t score = Player().Score;
    Frame();
    ASSERT_EQ(creatures.size(), 1u);
    EXPECT_EQ(inlevel.MonstersKilled, 1);
    EXPECT_EQ(Player().Score, score + 100);
    EXPECT_EQ(effects.back().model, models::WarriorDead);
    Hero(creatures[0]->column, creatures[0]->row + 0.85f); // not yet
    Frame();
    EXPECT_EQ(creatures.size(), 1u);
    Hero(creatures[0]->column, creatures[0]->row + 0.75f);
    Frame();
    EXPECT_TRUE(creatures.empty());
    EXPECT_EQ(effects.back().model, models::Zombie2);
}

TEST_F(ZombieWarrior, BulletsAreTestedNewestFirstAndUsedUp) {
    // Several bullets reach a zombie in one frame: they are tried newest first, each one
    // tried is spent, and the first that hits leaves the older ones flying.
    int kills = 0, survived = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        creatures.clear();
        bullets.clear();
        ClearWorld();
        SeeAll(true);
        Randomize(seed);
        AddZombie(10, 10);
        inlevel.InvisibilityTimer = 10; // keep it standing
        Hero(30.0f, 10.0f);
        for (int i = 0; i < 6; ++i) Bullet(10.2f, 10.2f, 1, static_cast<float>(i));
        Bullet(10.8f, 10.0f, 1, 99.0f); // 0.8 away: out of reach
        const size_t scored = sounds.played.size();
        UpdateCreatures();
        // The far bullet is always left; of the near ones an oldest part is left.
        ASSERT_FALSE(bullets.empty());
        EXPECT_EQ(bullets.back().height, 99.0f);
        const size_t left = bullets.size() - 1;
        for (size_t i = 0; i < left; ++i) EXPECT_EQ(bullets[i].height, static_cast<float>(i));
        int thuds = 0;
        for (size_t i = scored; i < sounds.played.size(); ++i)
            if (sounds.played[i].effect == sfx::Lats2) {
                ++thuds;
                EXPECT_GE(sounds.played[i].volume, 0.5f);
                EXPECT_LE(sounds.played[i].volume, 50.5f);
            }
        EXPECT_EQ(thuds, 6 - static_cast<int>(left));
        if (creatures.empty()) {
            ++kills;
            EXPECT_GT(effects.back().velocity[2], 0.18f); // along the hero's Facing 1
            // Two screams: the hit's own and the death's.
            EXPECT_GE(sounds.Count(sfx::Argh1) + sounds.Count(sfx::Argh2), 2);
        } else {
            ++survived;
            EXPECT_EQ(left, 0u);
            EXPECT_EQ(tiles[10][10].occupied, mark::Creature);
        }
        sounds.played.clear();
    }
    EXPECT_GT(kills, 0);
    EXPECT_GT(survived, 0);

    // A bullet still flying after a change to no gun never kills.
    creatures.clear();
    bullets.clear();
    AddZombie(10, 10);
    Player().Gun = 0;
    for (int i = 0; i < 20; ++i) Bullet(10.0f, 10.1f, 1);
    UpdateCreatures();
    EXPECT_EQ(creatures.size(), 1u);
    EXPECT_TRUE(bullets.empty());
}

TEST_F(ZombieWarrior, WarriorBlocksAFrontalShotAndStandsStunned) {
    AddWarrior(16, 10);
    Hero(10.0f, 10.0f);
    inlevel.Facing = 1; // the hero faces forward, the warrior walks back at him: face to face
    Bullet(10.0f, 11.5f, 1);
    int frame = 0;
    while (Last().stun == 0 && frame < 40) {
        Frame();
        ++frame;
    }
    ASSERT_EQ(Last().stun, twarrior::StunOnBlock);
    EXPECT_TRUE(bullets.empty());
    EXPECT_EQ(sounds.Count(sfx::Lats2), 1);
    EXPECT_EQ(inlevel.MonstersKilled, 0);

    // Stunned it neither turns nor walks for the next 62 frames, then sets off again.
    const float row = Last().row;
    Hero(14.0f, 5.0f);
    for (int i = 0; i < 62; ++i) {
        Frame();
        EXPECT_EQ(Last().direction, 5);
        EXPECT_EQ(Last().row, row);
    }
    EXPECT_EQ(Last().stun, 4);
    Frame();
    EXPECT_EQ(Last().stun, 0);
    EXPECT_EQ(Last().direction, 4);
    EXPECT_LT(Last().row, row);

    // The same shot with the hero facing another way is no longer blocked: over many tries
    // the pistol kills about 30 in 100, throwing the debris along the bullet.
    int kills = 0;
    for (int i = 0; i < 300; ++i) {
        creatures.clear();
        ClearWorld();
        SeeAll(true);
        AddWarrior(16, 10);
        inlevel.InvisibilityTimer = 10; // it turns to the hero but stays where the bullet is
        Hero(10.0f, 40.0f);             // both face forward: the hero shoots it in the back
        inlevel.Facing = 1;
        Bullet(10.0f, 16.0f, 3);
        UpdateCreatures();
        EXPECT_TRUE(bullets.empty());
        if (creatures.empty()) {
            ++kills;
            EXPECT_GT(effects.back().velocity[0], 0.18f); // along the bullet, direction 3
        }
        bullets.clear();
    }
    EXPECT_GT(kills, 60);
    EXPECT_LT(kills, 120);
}

TEST_F(ZombieWarrior, StonesAndRisingWallsCrushButGhostsStay) {
    SeeAll(false); // nobody walks; the stone does not care
    Hero(45.0f, 45.0f);
    AddZombie(20, 20);
    AddGhost(21, 20);
    AddStone(3, 20, 17);
    AddStone(3, 21, 17);
    int frames = 0;
    while (creatures.size() == 4 && frames < 100) {
        Frame();
        ++frames;
    }
    // The stone enters the zombie's cell once its column reaches 19.5: the 27th frame.
    EXPECT_EQ(frames, 27);
    ASSERT_EQ(creatures.size(), 3u);
    EXPECT_EQ(creatures[0]->model, models::Ghost2);
    EXPECT_EQ(inlevel.MonstersKilled, 1);
    const teffect& debris = effects.back();
    EXPECT_EQ(debris.model, models::Zombie2);
    EXPECT_GT(debris.velocity[0], 0.18f); // thrown along the stone, direction 3
    EXPECT_LT(std::fabs(debris.velocity[2]), 0.09f);
    Frames(10);
    EXPECT_EQ(creatures.size(), 3u); // the ghost lets the stone roll through

    // A monster standing on a wall that rises dies, its debris along its own direction.
    creatures.clear();
    effects.clear();
    SeeAll(true);
    AddWarrior(30, 30);
    Hero(30.0f, 40.0f);
    Frame();
    ASSERT_EQ(Last().direction, 1);
    tiles[30][30].mechanism = mechanism::RisingWall;
    Frame();
    EXPECT_TRUE(creatures.empty());
    EXPECT_GT(effects.back().velocity[2], 0.18f);
}

} // namespace
