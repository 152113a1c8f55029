// The hero's jumps, walking, the stop at an edge and the slide along walls, played with
// scripted keys on small drawn levels.
#include "world/playfield.h"

#include "render/assetorder.h"

using playfield::tmap;
using playfield::tplay;

namespace {

constexpr const char *Up = "200", *Down = "208", *Left = "203", *Right = "205", *Space = "57";

std::string Hold(std::initializer_list<const char*> keys) {
    std::string line = "0:";
    for (const char* k : keys) line += std::string(" ") + k;
    return line + "\n";
}

// An open floor with the hero in the middle.
tmap OpenFloor() {
    return tmap({"H"}, 25, 25);
}

// Plays until the hero is back on the ground after leaving it; answers the highest point.
float PeakOfNextJump(tplay& play) {
    float peak = hero.height;
    int frames = 0;
    do {
        play.Frame();
        peak = std::max(peak, hero.height);
    } while (hero.height > 0.0f && ++frames < 100);
    return peak;
}

TEST(HeroJump, HeightsFollowTheJumpPowerAndItsRecharge) {
    tplay play(OpenFloor(), Hold({Space}));
    // Full power leaves at 0.5 a frame and gravity takes 0.05 a frame: 0.5 + 0.45 + ... + 0.05.
    EXPECT_NEAR(PeakOfNextJump(play), 2.75f, 1e-3f);
    EXPECT_EQ(Player().Jump, 50);
    EXPECT_EQ(hero.climb, 0.0f);
    // Held, the key jumps again on the first standing frame with 50 + 8: climb 0.395.
    EXPECT_NEAR(PeakOfNextJump(play),
                0.395f + 0.345f + 0.295f + 0.245f + 0.195f + 0.145f + 0.095f + 0.045f, 1e-3f);
    EXPECT_EQ(Player().Jump, 29);
    // Standing still the meter recharges by 8 a frame up to 100.
    play.Keys("");
    play.Frames(3);
    EXPECT_EQ(Player().Jump, 29 + 3 * 8);
    play.Frames(20);
    EXPECT_EQ(Player().Jump, 100);
    // A jump and a landing each play a footstep.
    EXPECT_EQ(play.sounds.Count(sfx::FirstStep), 4);
}

TEST(HeroJump, GuideModeKeepsEveryJumpAtFullHeightAndThePadJumpsToo) {
    inlevel.GuideOn = true;
    tplay play(OpenFloor(), "0: 1019\n"); // pad button 3
    inlevel.GuideOn = true;               // the attempt set-up leaves the guide as it was
    EXPECT_NEAR(PeakOfNextJump(play), 2.75f, 1e-3f);
    EXPECT_NEAR(PeakOfNextJump(play), 2.75f, 1e-3f);
    EXPECT_EQ(Player().Jump, 100);
    inlevel.GuideOn = false;
}

TEST(HeroWalk, StraightAndDiagonalSpeedsAndTheSpeedPotion) {
    tplay play(OpenFloor(), Hold({Up}));
    play.Frames(10);
    EXPECT_NEAR(hero.row, 25.0f + 1.6f, 1e-4f);
    EXPECT_EQ(hero.column, 25.0f);
    EXPECT_EQ(inlevel.Facing, 1);

    tplay diagonal(OpenFloor(), Hold({Down, Left}));
    diagonal.Frames(10);
    EXPECT_NEAR(hero.row, 25.0f - 1.3f, 1e-4f);
    EXPECT_NEAR(hero.column, 25.0f - 1.3f, 1e-4f);
    EXPECT_EQ(inlevel.Facing, 6);

    tplay fast(OpenFloor(), Hold({Right}));
    inlevel.SpeedTimer = 100;
    fast.Frames(5);
    EXPECT_NEAR(hero.column, 25.0f + 5 * 0.32f, 1e-4f);
}

TEST(HeroWalk, OppositeKeysLetTheLaterTestWin) {
    tplay play(OpenFloor(), Hold({Up, Down, Left, Right}));
    play.Frames(4);
    // Down wins over up and makes left a back-left, but right only turns forward or back
    // into a diagonal: after back-left it is plain right.
    EXPECT_EQ(inlevel.Facing, 3);
    EXPECT_EQ(hero.row, 25.0f);
    EXPECT_NEAR(hero.column, 25.0f + 0.64f, 1e-4f);
    tplay pair(OpenFloor(), Hold({Up, Down}));
    pair.Frames(1);
    EXPECT_EQ(inlevel.Facing, 5);
}

TEST(HeroEdge, StopsTwoStepsBeforeAPitAndWobblesOncePerApproach) {
    tplay play(tmap({"_____", ".....", "..H.."}, 23, 20), Hold({Up}));
    play.Frames(20);
    // He stops on the first frame the point 0.32 ahead of his centre lies over the pit row.
    EXPECT_NEAR(hero.row, 21.28f, 1e-4f);
    EXPECT_EQ(hero.height, 0.0f);
    EXPECT_EQ(inlevel.Facing, 1);
    EXPECT_EQ(inlevel.herostate.EdgeWobble, 0); // ten frames of wobble are over
    EXPECT_TRUE(inlevel.herostate.atEdge);

    // Turning away and back starts the wobble again.
    play.Keys(std::string("0: ") + Down + "\n2: " + Up + "\n");
    play.Frames(4);
    EXPECT_EQ(inlevel.herostate.EdgeWobble, 0);
    play.Frame();
    EXPECT_EQ(inlevel.herostate.EdgeWobble, 9);
    EXPECT_NEAR(hero.row, 21.28f, 1e-4f);
}

TEST(HeroEdge, AJumpCarriesHimOverAPitAndAStepDownIsWalkedOff) {
    tplay play(tmap({"...", "___", ".H."}, 24, 20),
               std::string("0: ") + Up + " " + Space + "\n1: " + Up + "\n12:\n");
    play.Frames(26);
    EXPECT_EQ(CellOf(hero.row), 22);
    EXPECT_EQ(hero.height, 0.0f);

    // A drop of less than 2 is walked off: he falls and lands on the lower floor.
    tplay step(tmap({".", "H"}, 25, 20), Hold({Up}));
    playfield::Tile(25, 21).floor = -1.5f;
    step.Frames(14);
    EXPECT_EQ(CellOf(hero.row), 21);
    EXPECT_EQ(hero.height, -1.5f);
    EXPECT_EQ(hero.climb, 0.0f);

    // A step up of 0.15 is taken; a higher one is not.
    tplay up(tmap({".", ".", "H"}, 25, 20), Hold({Up}));
    playfield::Tile(25, 22).floor = 0.35f;
    playfield::Tile(25, 21).floor = 0.15f;
    up.Frames(20);
    EXPECT_EQ(CellOf(hero.row), 21);
    EXPECT_EQ(hero.height, 0.15f);
    EXPECT_EQ(hero.climb, 0.0f);
}

TEST(HeroCollision, ACornerOnAWallNudgesHimSidewaysAlongIt) {
    tplay play(tmap({"...", ".#.", "..."}, 24, 20), Hold({Up}));
    hero.column = 24.6f; // his right-hand corner meets the wall at column 25
    hero.row = 20.0f;
    play.Frames(3);
    EXPECT_NEAR(hero.column, 24.6f - 3 * 0.056f, 1e-4f);
    EXPECT_EQ(hero.row, 20.0f);
    play.Frames(30);
    EXPECT_LT(hero.column, 24.22f); // clear of the wall, he walks on past it
    EXPECT_GT(hero.row, 23.0f);
}

TEST(HeroCollision, TheNudgeNeverPushesAStandingHeroIntoAPit) {
    // His right-hand corner meets the wall; the push to the left would take him over a pit.
    tmap map({".#", "_H"}, 24, 20);
    tplay standing(map, Hold({Up}));
    hero.column = 24.52f;
    standing.Frames(5);
    EXPECT_EQ(hero.column, 24.52f);
    EXPECT_EQ(hero.row, 20.0f);

    // Jumping over a pit himself, he is pushed all the same.
    tmap overPit({".#", "__"}, 24, 20);
    overPit.Start(25, 20);
    tplay jumping(overPit, Hold({Up}));
    hero.column = 24.52f;
    hero.height = 1.0f;
    hero.climb = 0.3f;
    jumping.Frame();
    EXPECT_NEAR(hero.column, 24.52f - 0.056f, 1e-5f);
    EXPECT_EQ(hero.row, 20.0f);
}

TEST(HeroCollision, ADiagonalIntoAWallSlidesAlongItAtNormalSpeed) {
    tplay play(tmap({"..#", "..#", "H.#", "..#"}, 24, 20), Hold({Up, Right}));
    hero.column = 25.0f;
    inlevel.SpeedTimer = 200;
    play.Frames(2); // the first frames are free moves at double speed
    const float column = hero.column, row = hero.row;
    play.Frames(5);
    EXPECT_EQ(hero.column, column);
    EXPECT_NEAR(hero.row, row + 5 * 0.13f, 1e-4f);
}

TEST(HeroCollision, CreaturesBlockUnlessHeIsInvincible) {
    tplay play(tmap({"z", ".", "H"}, 25, 20), Hold({Up}));
    play.Frames(20);
    EXPECT_LT(hero.row, 21.5f);
    inlevel.InvincibilityTimer = 100;
    play.Frames(20);
    EXPECT_GE(CellOf(hero.row), 22);
}

TEST(HeroCollision, TheGridBorderHoldsHimInside) {
    tplay left(tmap({"H"}, 0, 10), Hold({Left, Down}));
    left.Frames(90);
    EXPECT_EQ(hero.column, -0.5f);
    EXPECT_EQ(hero.row, -0.5f);
    // Beyond the far border counts as solid: he stops inside the last cell.
    tplay right(tmap({"H"}, 48, 48), Hold({Right, Up}));
    right.Frames(30);
    EXPECT_LT(hero.column, 49.49f);
    EXPECT_LT(hero.row, 49.49f);
    EXPECT_EQ(CellOf(hero.column), 49);
    EXPECT_EQ(CellOf(hero.row), 49);
}

} // namespace
