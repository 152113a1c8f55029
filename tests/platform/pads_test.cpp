#include "platform/pads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/inputsource.h"
#include "platform/keys.h"
#include "platform/padsvirtual.h"

namespace {

int FindPad(const std::vector<input::PadDescription>& pads, const std::string& name) {
    for (size_t i = 0; i < pads.size(); ++i)
        if (pads[i].name == name) return static_cast<int>(i);
    return -1;
}

} // namespace

TEST(PadValues, AxesLandOnTheGameRangeWithTheCentreInTheMiddle) {
    EXPECT_EQ(input::AxisFromSdl(-32768), 0);
    EXPECT_EQ(input::AxisFromSdl(0), 32767);
    EXPECT_EQ(input::AxisFromSdl(32767), 65535);
    EXPECT_EQ(input::AxisFromSdl(-40000), 0);
    int previous = -1;
    for (int v = -32768; v <= 32767; v += 97) {
        int axis = input::AxisFromSdl(v);
        EXPECT_GE(axis, previous);
        previous = axis;
    }

    using P = input::VirtualPad;
    EXPECT_EQ(input::HatFromSdl(0), -1);
    EXPECT_EQ(input::HatFromSdl(P::HatUp), 0);
    EXPECT_EQ(input::HatFromSdl(P::HatUp | P::HatRight), 4500);
    EXPECT_EQ(input::HatFromSdl(P::HatRight), 9000);
    EXPECT_EQ(input::HatFromSdl(P::HatDown | P::HatRight), 13500);
    EXPECT_EQ(input::HatFromSdl(P::HatDown), 18000);
    EXPECT_EQ(input::HatFromSdl(P::HatDown | P::HatLeft), 22500);
    EXPECT_EQ(input::HatFromSdl(P::HatLeft), 27000);
    EXPECT_EQ(input::HatFromSdl(P::HatUp | P::HatLeft), 31500);
    EXPECT_EQ(input::HatFromSdl(P::HatUp | P::HatDown), -1);
}

TEST(Keyboard, PressedScancodesBecomeKeyCodes) {
    std::vector<uint8_t> pressed(512, 0);
    for (const input::KeyMapping& m : input::KeyMappings())
        if (m.key == 30 || m.key == 43) pressed[m.scancode] = 1;
    input::KeyState keys;
    keys.fill(0x55);
    input::TranslateKeyboard(pressed.data(), static_cast<int>(pressed.size()), keys);
    for (int code = 0; code < input::KeyStateSize; ++code)
        EXPECT_EQ(keys[code], code == 30 || code == 43 ? 0x80 : 0) << code;
    EXPECT_EQ(input::KeyCodeOfScancode(-1), 0);
    EXPECT_EQ(input::KeyCodeOfScancode(100000), 0);
}

TEST(SystemInput, JoystickPluggedInReadAndPulledOut) {
    auto source = input::OpenSystemInput();
    ASSERT_TRUE(source);
    size_t before = source->EnumeratePads().size();
    int index = -1;
    {
        input::VirtualPad stick(input::VirtualPad::Kind::Joystick, 6, 40, 2, "Test stick");
        ASSERT_TRUE(stick.Attached());
        source->Pump();
        EXPECT_TRUE(source->TakePadsChanged());
        EXPECT_FALSE(source->TakePadsChanged());
        auto pads = source->EnumeratePads();
        ASSERT_EQ(pads.size(), before + 1);
        index = FindPad(pads, "Test stick");
        ASSERT_GE(index, 0);
        const input::PadDescription& pad = pads[index];
        EXPECT_TRUE(pad.opened);
        EXPECT_TRUE(std::all_of(pad.hasAxis.begin(), pad.hasAxis.end(), [](bool b) { return b; }));
        EXPECT_EQ(pad.buttons, 40);
        EXPECT_EQ(pad.hats, 2);

        stick.SetAxis(0, -32768);
        stick.SetAxis(5, 32767);
        stick.SetButton(35, true);
        stick.SetHat(0, input::VirtualPad::HatUp | input::VirtualPad::HatRight);
        source->Pump();
        input::PadReading reading;
        ASSERT_TRUE(source->ReadPad(index, reading));
        EXPECT_EQ(reading.axes[0], 0);
        EXPECT_EQ(reading.axes[1], 32767);
        EXPECT_EQ(reading.axes[5], 65535);
        EXPECT_NE(reading.buttons[35], 0);
        EXPECT_EQ(reading.buttons[34], 0);
        EXPECT_EQ(reading.firstHat, 4500);
    }
    source->Pump();
    EXPECT_TRUE(source->TakePadsChanged());
    input::PadReading reading;
    EXPECT_FALSE(source->ReadPad(index, reading));
    EXPECT_EQ(source->EnumeratePads().size(), before);
}

TEST(SystemInput, GameControllerInThePcPadLayout) {
    auto source = input::OpenSystemInput();
    ASSERT_TRUE(source);
    input::VirtualPad pad(input::VirtualPad::Kind::GameController, 0, 0, 0, "Test controller");
    ASSERT_TRUE(pad.Attached());
    source->Pump();
    auto pads = source->EnumeratePads();
    int index = FindPad(pads, "Test controller");
    ASSERT_GE(index, 0);
    EXPECT_EQ(pads[index].hasAxis, (std::array<bool, 6>{true, true, true, true, true, false}));
    EXPECT_EQ(pads[index].hats, 1);

    // SDL's numbering: button 0 = A, 3 = Y, 11 = D-pad up, 14 = D-pad right;
    // axis 0 = left X, 2 = right X, 4 = left trigger.
    pad.SetButton(0, true);
    pad.SetButton(3, true);
    pad.SetButton(11, true);
    pad.SetButton(14, true);
    pad.SetAxis(0, 32767);
    pad.SetAxis(2, -32768);
    pad.SetAxis(4, 32767);
    source->Pump();
    input::PadReading reading;
    ASSERT_TRUE(source->ReadPad(index, reading));
    EXPECT_NE(reading.buttons[0], 0);
    EXPECT_EQ(reading.buttons[1], 0);
    EXPECT_NE(reading.buttons[3], 0);
    EXPECT_EQ(reading.firstHat, 4500);
    EXPECT_EQ(reading.axes[0], 65535);
    EXPECT_EQ(reading.axes[1], 32767);
    EXPECT_EQ(reading.axes[2], 65535); // left trigger pushes Z up
    EXPECT_EQ(reading.axes[3], 0);
}

TEST(SystemInput, AButtonTappedBetweenPumpsIsKeptUntilRead) {
    auto source = input::OpenSystemInput();
    ASSERT_TRUE(source);
    input::VirtualPad stick(input::VirtualPad::Kind::Joystick, 2, 8, 1, "Tapped stick");
    ASSERT_TRUE(stick.Attached());
    source->Pump();
    const int index = FindPad(source->EnumeratePads(), "Tapped stick");
    ASSERT_GE(index, 0);

    input::PadReading presses;
    EXPECT_FALSE(source->ReadPadPresses(index, presses));
    stick.TapButton(5);
    source->Pump();
    source->KeepAlive(); // serving the window in between keeps the press
    input::PadReading reading;
    ASSERT_TRUE(source->ReadPad(index, reading));
    EXPECT_EQ(reading.buttons[5], 0); // never held at a reading
    ASSERT_TRUE(source->ReadPadPresses(index, presses));
    EXPECT_NE(presses.buttons[5], 0);
    EXPECT_EQ(presses.buttons[4], 0);
    EXPECT_EQ(presses.firstHat, input::HatCentred);
    EXPECT_FALSE(source->ReadPadPresses(index, presses)); // told once
}
