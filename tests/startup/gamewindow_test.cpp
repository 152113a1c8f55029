// The program's game window as start-up makes and destroys it.
#include "startup/gamewindow.h"

#include "engine/settings.h"
#include "platform/window.h"
#include "render/screenlayout.h"
#include "world/tables.h"

#include <gtest/gtest.h>

TEST(GameWindowHooks, TheWindowCarriesTheTitleAndReleasesOnDestroy) {
    ASSERT_TRUE(CreateGameWindow());
    ASSERT_NE(Form1, nullptr);
    ASSERT_TRUE(Form1->services.window);
    EXPECT_EQ(Form1->services.window->Title(), "Tarnhollow");
    EXPECT_EQ(Form1->LoadingStep, 0);
    EXPECT_FALSE(Form1->services.sound);
    // A run that never pressed "Start the Game" made no services: the teardown has only
    // the particle list to empty.
    effects.resize(2);
    DestroyGameWindow();
    EXPECT_EQ(Form1, nullptr);
    EXPECT_TRUE(effects.empty());
    DestroyGameWindow(); // twice is harmless
}

// F11 and Alt+Enter in the game: the next start opens the same way, through the dialog's
// entry of the same size in setup.xml.
TEST(GameWindowHooks, SwitchingTheWindowIsRememberedAsTheEntryOfTheSameSize) {
    ASSERT_TRUE(CreateGameWindow());
    window::Window& w = *Form1->services.window;
    window::WindowRequest request;
    request.width = 800;
    request.height = 600;
    if (w.Open(request) != window::OpenResult::Ok) {
        DestroyGameWindow();
        GTEST_SKIP() << "no video or no OpenGL 3.3 driver here";
    }
    const int32_t width = ScreenWidth, height = ScreenHeight;
    ScreenWidth = 800;
    ScreenHeight = 600;
    struct Case {
        int32_t format;
        const char* fullscreenEntry;
    };
    for (const Case& c :
         {Case{23, "800x600 (16 bit colors)"}, Case{22, "800x600 (32 bit colors)"}}) {
        Form1->choice.format = c.format;
        settings.ModeSetting = "800x600 (window)";
        w.FullscreenKeyPressed();
        EXPECT_EQ(settings.ModeSetting, c.fullscreenEntry);
        EXPECT_FALSE(Form1->choice.windowed);
        w.FullscreenKeyPressed();
        EXPECT_EQ(settings.ModeSetting, "800x600 (window)");
        EXPECT_TRUE(Form1->choice.windowed);
    }
    ScreenWidth = width;
    ScreenHeight = height;
    DestroyGameWindow();
}
