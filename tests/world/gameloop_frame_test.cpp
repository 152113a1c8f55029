// One frame of the game loop as a player meets it: monsters on the beat, the picture drawn
// in its order, frames skipped when behind, pause, screenshots, zoom and the guide toggle.
#include "gameloopfixture.h"

#include "creatures/monsters.h"
#include "platform/gpu/transform.h"
#include "world/guns/guntables.h"

#include <algorithm>

namespace looptest {
namespace {

using playfield::tmap;

TEST_F(GameLoopTest, AZombieBesideTheHeroStrikesEveryTwentyFrames) {
    Level(tmap({"z", "H"}, 20, 20));
    player.Lives = 1;
    std::vector<int64_t> blows;
    int32_t energy = 100;
    onFrame = [&](int64_t frame) {
        if (player.Energy < energy) blows.push_back(frame);
        energy = player.Energy;
        return frame < 100;
    };
    Play();
    ASSERT_GE(blows.size(), 4u);
    for (size_t i = 1; i < blows.size(); ++i) EXPECT_EQ(blows[i] - blows[i - 1], 20) << i;
}

TEST_F(GameLoopTest, AFrameIsDrawnInItsOrder) {
    Level(tmap({"z..", ".H.", "..."}, 10, 10));
    onFrame = [&](int64_t frame) {
        if (frame == 1) {
            log->calls.clear();
            log->draws.clear();
        }
        return frame < 2;
    };
    Play();
    // The last frame's calls: clear, scene, world, creatures, hero, overlay, present.
    const long clear = log->Find("Clear 7 ff000000 1 0");
    ASSERT_GE(clear, 0);
    const long begin = log->Find("BeginScene", clear);
    const long end = log->Find("EndScene", begin);
    const long present = log->Find("Present", end);
    EXPECT_LT(clear, begin);
    EXPECT_LT(end, present);

    auto firstDraw = [&](int model) {
        for (const drawing::tdraw& d : log->draws)
            if (d.model == model) return static_cast<long>(d.callIndex);
        return -1L;
    };
    const long floor = firstDraw(models::FirstFloor);
    const long shadow = firstDraw(models::Shadow);
    const long zombie = firstDraw(models::Zombie);
    const long heroModel = firstDraw(models::Hero);
    ASSERT_GE(floor, 0);
    ASSERT_GE(zombie, 0);
    ASSERT_GE(heroModel, 0);
    EXPECT_LT(floor, zombie);
    if (shadow >= 0) {
        EXPECT_LT(floor, shadow);
        EXPECT_LT(shadow, zombie);
    }
    EXPECT_LT(zombie, heroModel);
    // The overlay's sprites come after every model, inside the scene.
    long lastSprite = -1;
    for (size_t i = 0; i < log->calls.size(); ++i)
        if (log->calls[i].rfind("DrawSprite", 0) == 0) lastSprite = static_cast<long>(i);
    EXPECT_GT(lastSprite, heroModel);
    EXPECT_LT(lastSprite, end);
    EXPECT_EQ(log->Count("Present"), 1);
}

TEST_F(GameLoopTest, AShotsFrameLightsAndFlashesBeforeTheWorldAndPutsTheLightOutAfterTheOverlay) {
    Level(tmap({"H"}, 10, 10));
    player.Own[1] = true;
    player.Gun = 1;
    player.AmmoAll[1] = 16;
    settings.CameraZoom = 100;
    Keys("1: " + std::to_string(settings.KeyFire) + "\n2:\n");
    onFrame = [&](int64_t frame) {
        if (frame == 0) {
            log->calls.clear();
            log->draws.clear();
        }
        return frame < 1;
    };
    Play();
    ASSERT_EQ(player.AmmoCurrent[1], 7) << "one shot in frame 1";

    auto firstDraw = [&](int model) {
        for (const drawing::tdraw& d : log->draws)
            if (d.model == model) return static_cast<long>(d.callIndex);
        return -1L;
    };
    const long bullet = firstDraw(models::Ammo);
    const long flame = firstDraw(models::MuzzleFlash);
    const long floor = firstDraw(models::FirstFloor);
    const long heroModel = firstDraw(models::Hero);
    const long gun = firstDraw(Guns[1].model);
    ASSERT_GE(bullet, 0);
    ASSERT_GE(flame, 0);
    EXPECT_LT(bullet, flame);
    EXPECT_LT(flame, floor);
    EXPECT_LT(heroModel, gun) << "the gun hangs on the hand of this frame's hero";

    // The muzzle light is on before the flame, and goes out after the overlay, still inside
    // the scene.
    const long lightOn = log->Find("LightEnable 1 1");
    ASSERT_GE(lightOn, 0);
    EXPECT_LT(lightOn, flame);
    long lastSprite = -1;
    for (size_t i = 0; i < log->calls.size(); ++i)
        if (log->calls[i].rfind("DrawSprite", 0) == 0) lastSprite = static_cast<long>(i);
    const long lightOff = log->Find("LightEnable 1 0", static_cast<size_t>(lightOn));
    EXPECT_GT(lightOff, lastSprite);
    EXPECT_LT(lightOff, log->Find("EndScene"));

    // The camera at zoom 100: 13.5 above and 4.5 behind the hero, looking at his feet.
    const gpu::Matrix expected = gpu::MatrixLookAtLH(
        {hero.column, 13.5f, hero.row - 4.5f}, {hero.column, 0.0f, hero.row}, {0.0f, 1.0f, 0.0f});
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(log->view.m[i][j], expected.m[i][j], 1e-5f);
}

TEST_F(GameLoopTest, FramesAreSkippedWhileTheSimulationIsBehind) {
    Level(tmap({"H"}, 10, 10));
    // Each drawn frame takes three ticks: one frame in three can be drawn.
    ticksPerWait = 3;
    onFrame = [](int64_t frame) { return frame < 29; };
    Play();
    EXPECT_EQ(inlevel.loopstate.frames, 30);
    EXPECT_EQ(log->Count("Present"), 10);
}

TEST_F(GameLoopTest, PauseHoldsTheGameUntilTheKeyIsPressedAgain) {
    Level(tmap({"H"}, 10, 10));
    // P at poll 0, let go at 2, pressed again at 6 and let go at 8.
    Keys("0: 25\n2:\n6: 25\n8:\n");
    std::vector<long> polls;
    onFrame = [&](int64_t frame) {
        polls.push_back(script->Frame());
        return frame < 2;
    };
    Play();
    ASSERT_EQ(polls.size(), 3u);
    EXPECT_EQ(polls[0], 8); // the first frame ended only when the pause did
    EXPECT_EQ(polls[1], 9);
    EXPECT_EQ(polls[2], 10);
    // The clock ran on through the pause; the game does not race to catch up afterwards.
    EXPECT_EQ(log->Count("Present"), 3);

    // A script that lets go of P and ends can never end the pause: the loop must not hang.
    Keys("0: 25\n2:\n");
    onFrame = [](int64_t frame) { return frame < 3; };
    Play();
    EXPECT_EQ(inlevel.loopstate.frames, 4);
}

TEST_F(GameLoopTest, F1SavesAScreenshotEveryFrameItIsHeld) {
    Level(tmap({"H"}, 10, 10));
    Keys("1: 59\n3:\n");
    onFrame = [](int64_t frame) { return frame < 4; };
    Play();
    // Frames 1 and 2 held F1; each saved what was on screen then.
    EXPECT_TRUE(FileExists("screenshots/pic1.bmp"));
    EXPECT_TRUE(FileExists("screenshots/pic2.bmp"));
    EXPECT_FALSE(FileExists("screenshots/pic3.bmp"));
    EXPECT_EQ(inlevel.ScreenshotNumber, 3);
    const std::string bmp = ReadBytes("screenshots/pic1.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
}

TEST_F(GameLoopTest, ScreenshotsGoToTheUserFolder) {
    Level(tmap({"H"}, 10, 10));
    Keys("1: 59\n2:\n");
    onFrame = [](int64_t frame) { return frame < 3; };
    files::SetHomeFolder("home");
    Play();
    files::SetHomeFolder("");
    EXPECT_TRUE(FileExists("home/screenshots/pic1.bmp"));
    EXPECT_FALSE(FileExists("screenshots"));
}

TEST_F(GameLoopTest, ZoomKeysAndTheGuideToggle) {
    Level(tmap({"H"}, 10, 10));
    settings.CameraZoom = 1;
    // F3 for three frames (zoom stops at 0), J pressed twice (two toggles), F4 for two.
    Keys("0: 61 36\n3:\n4: 36\n5: 62\n7:\n");
    std::vector<bool> guide;
    onFrame = [&](int64_t frame) {
        guide.push_back(inlevel.GuideOn);
        return frame < 7;
    };
    inlevel.GuideOn = false;
    Play();
    EXPECT_EQ(settings.CameraZoom, 2);
    ASSERT_EQ(guide.size(), 8u);
    EXPECT_TRUE(guide[0]);
    EXPECT_TRUE(guide[2]); // held: toggled once only
    EXPECT_TRUE(guide[3]);
    EXPECT_FALSE(guide[4]); // pressed again
    EXPECT_FALSE(guide[7]);
}

TEST_F(GameLoopTest, TheHeroSeesTwelveCellsAndNotThroughWalls) {
    // A wall three cells ahead; beyond it nothing is seen.
    Level(tmap({".", ".", "#", ".", ".", "H"}, 25, 10));
    onFrame = [](int64_t) { return false; };
    Play();
    EXPECT_EQ(tiles[25][10].seen, SeenMark);
    EXPECT_EQ(tiles[25][13].seen, SeenMark); // the wall itself
    EXPECT_NE(tiles[25][14].seen, SeenMark);
    EXPECT_EQ(tiles[25 - 12][10].seen, SeenMark);
    EXPECT_NE(tiles[25 - 13][10].seen, SeenMark);
    EXPECT_EQ(tiles[25][10 - 10].seen, SeenMark); // down to the grid's edge
}

} // namespace
} // namespace looptest
