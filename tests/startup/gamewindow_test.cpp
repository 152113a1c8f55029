// The program's game window as start-up makes and destroys it.
#include "startup/gamewindow.h"

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
