// The input object on the machine's own devices, with software pads standing in for
// hardware: a pad plugged in while the game runs must work without a restart.
#include <gtest/gtest.h>

#include "engine/dinput.h"
#include "platform/padsvirtual.h"

TEST(SystemPads, PluggedInWhileRunningAndPulledOutAgain) {
    TDInput input;
    ASSERT_TRUE(input.Init());
    input.Poll();
    int before = input.PadCount();
    {
        input::VirtualPad pad(input::VirtualPad::Kind::Joystick, 2, 4, 1, "Late pad");
        ASSERT_TRUE(pad.Attached());
        input.Poll();
        ASSERT_EQ(input.PadCount(), before + 1);
        EXPECT_EQ(input.Pad(before).name, "Late pad");

        pad.SetButton(2, true);
        pad.SetAxis(1, -32768);
        pad.SetHat(0, input::VirtualPad::HatDown | input::VirtualPad::HatLeft);
        input.Poll();
        EXPECT_TRUE(input.IsPadControlOn(19));
        EXPECT_TRUE(input.IsPadControlOn(AnyPadButton));
        EXPECT_TRUE(input.IsPadControlOn(3));
        EXPECT_FALSE(input.IsPadControlOn(4));
        EXPECT_TRUE(input.IsPadControlOn(15));
        EXPECT_TRUE(input.IsPadControlOn(16));
        EXPECT_FALSE(input.IsPadControlOn(5)); // the pad has no Z axis

        // At rest nothing is on, even at the highest sensitivity.
        input.SetSensitivity(100);
        pad.SetButton(2, false);
        pad.SetAxis(1, 0);
        pad.SetHat(0, 0);
        input.Poll();
        EXPECT_EQ(input.HighestPadControl(), 0);
    }
    input.Poll();
    EXPECT_EQ(input.PadCount(), before);
    EXPECT_FALSE(input.IsKeyDown(1));
}
