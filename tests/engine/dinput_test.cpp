#include "engine/dinput.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "platform/keys.h"

namespace {

// Hands the input object whatever the test puts in it.
struct FakeSource final : input::InputSource {
    std::vector<input::PadDescription> pads;
    std::vector<input::PadReading> readings;
    input::KeyState keys{};
    bool keyboardWorks = true;
    bool padsChanged = false;
    int pumps = 0;

    void Pump() override { ++pumps; }
    bool TakePadsChanged() override { return std::exchange(padsChanged, false); }
    std::vector<input::PadDescription> EnumeratePads() override {
        readings.resize(pads.size());
        return pads;
    }
    bool ReadPad(int index, input::PadReading& reading) override {
        if (index < 0 || index >= static_cast<int>(readings.size())) return false;
        reading = readings[index];
        return true;
    }
    bool ReadKeyboard(input::KeyState& state) override {
        if (keyboardWorks) state = keys;
        return keyboardWorks;
    }
};

input::PadDescription FullPad(int buttons = 12, int hats = 1) {
    input::PadDescription pad;
    pad.name = "Test pad";
    pad.hasAxis.fill(true);
    pad.hats = hats;
    pad.buttons = buttons;
    pad.opened = true;
    return pad;
}

struct Rig {
    FakeSource* source;
    TDInput input;

    explicit Rig(std::vector<input::PadDescription> pads = {}) {
        auto owned = std::make_unique<FakeSource>();
        owned->pads = std::move(pads);
        source = owned.get();
        EXPECT_TRUE(input.Init(std::move(owned)));
    }
    input::PadReading& Pad(int index = 0) { return source->readings[index]; }
    void Keys(std::initializer_list<int> held) {
        source->keys.fill(0);
        for (int k : held) source->keys[k] = 0x80;
        input.Poll();
    }
    std::set<int> ControlsOn() const {
        std::set<int> on;
        for (int c = 0; c <= 60; ++c)
            if (input.IsPadControlOn(c)) on.insert(c);
        return on;
    }
};

} // namespace

TEST(PadDeadZone, ThresholdsFollowSensitivity) {
    struct Case {
        int sensitivity, low, high;
    };
    // a = (100 - s) * 32767 / 100, low = 32767 - a, high = 32767 + a.
    for (Case c : {Case{30, 9831, 55703}, Case{70, 22937, 42597}, Case{100, 32767, 32767}}) {
        SCOPED_TRACE(c.sensitivity);
        Rig rig({FullPad()});
        rig.input.SetSensitivity(c.sensitivity);
        auto x = [&](int32_t value) {
            rig.Pad().axes[0] = value;
            rig.input.Poll();
            return rig.ControlsOn();
        };
        EXPECT_EQ(x(c.low - 1), std::set<int>{1});
        EXPECT_EQ(x(c.low), std::set<int>{});
        EXPECT_EQ(x(c.high), std::set<int>{});
        EXPECT_EQ(x(c.high + 1), std::set<int>{2});
        EXPECT_EQ(x(0), std::set<int>{1});
        EXPECT_EQ(x(65535), std::set<int>{2});
        EXPECT_EQ(rig.input.Pad(0).low, c.low);
        EXPECT_EQ(rig.input.Pad(0).high, c.high);
    }
}

TEST(PadDeadZone, EachAxisHasItsPairAndMissingAxesStayOff) {
    input::PadDescription pad = FullPad();
    pad.hasAxis = {true, true, true, true, false, true};
    Rig rig({pad});
    for (int axis = 0; axis < 6; ++axis) {
        rig.Pad() = {};
        rig.Pad().axes[axis] = 65535;
        rig.input.Poll();
        std::set<int> expected;
        if (axis != 4) expected.insert(2 + 2 * axis);
        EXPECT_EQ(rig.ControlsOn(), expected) << "axis " << axis;
    }
}

TEST(PadSensitivity, ClampedTo30Through100) {
    Rig rig;
    EXPECT_EQ(rig.input.GetSensitivity(), 70);
    rig.input.SetSensitivity(5);
    EXPECT_EQ(rig.input.GetSensitivity(), 30);
    rig.input.SetSensitivity(250);
    EXPECT_EQ(rig.input.GetSensitivity(), 100);
    rig.input.SetSensitivity(55);
    EXPECT_EQ(rig.input.GetSensitivity(), 55);
}

TEST(PadHat, DirectionsAndDiagonals) {
    Rig rig({FullPad()});
    auto hat = [&](int32_t value) {
        rig.Pad().firstHat = value;
        rig.input.Poll();
        return rig.ControlsOn();
    };
    EXPECT_EQ(hat(0), (std::set<int>{13}));
    EXPECT_EQ(hat(4500), (std::set<int>{13, 14}));
    EXPECT_EQ(hat(9000), (std::set<int>{14}));
    EXPECT_EQ(hat(13500), (std::set<int>{14, 15}));
    EXPECT_EQ(hat(18000), (std::set<int>{15}));
    EXPECT_EQ(hat(22500), (std::set<int>{15, 16}));
    EXPECT_EQ(hat(27000), (std::set<int>{16}));
    EXPECT_EQ(hat(31500), (std::set<int>{13, 16}));
    EXPECT_EQ(hat(8999), (std::set<int>{13, 14})); // div 4500
    EXPECT_EQ(hat(-1), std::set<int>{});
    EXPECT_EQ(hat(36000), std::set<int>{});

    Rig noHat({FullPad(12, 0)});
    noHat.Pad().firstHat = 9000;
    noHat.input.Poll();
    EXPECT_EQ(noHat.ControlsOn(), std::set<int>{});

    Rig manyHats({FullPad(12, 9)});
    EXPECT_EQ(manyHats.input.Pad(0).hats, 4);
}

TEST(PadButtons, FortyButtonsReportThirtyTwo) {
    Rig rig({FullPad(40)});
    EXPECT_EQ(rig.input.Pad(0).buttons, 32);
    for (int b = 32; b < 40; ++b) rig.Pad().buttons[b] = 1;
    rig.input.Poll();
    EXPECT_EQ(rig.ControlsOn(), std::set<int>{});
    EXPECT_EQ(rig.input.HighestPadControl(), 0);

    rig.Pad().buttons[31] = 1;
    rig.input.Poll();
    EXPECT_EQ(rig.ControlsOn(), (std::set<int>{48, AnyPadButton}));
    EXPECT_EQ(rig.input.HighestPadControl(), 48);

    rig.Pad() = {};
    rig.Pad().buttons[0] = 0x80;
    rig.Pad().axes[1] = 0;
    rig.input.Poll();
    EXPECT_EQ(rig.ControlsOn(), (std::set<int>{3, 17, AnyPadButton}));
    EXPECT_EQ(rig.input.PadControlName(17), "Button 1");
    EXPECT_EQ(rig.input.PadControlName(48), "Button 32");
    EXPECT_EQ(rig.input.PadControlName(0), "<choose>");
    EXPECT_EQ(rig.input.PadControlName(49), "");
    EXPECT_EQ(rig.input.PadControlName(-3), "");
}

TEST(PadList, SeveralPadsUnopenedPadsAndHotPlug) {
    input::PadDescription broken;
    broken.name = std::string(300, 'n');
    Rig rig({FullPad(), broken, FullPad()});
    EXPECT_EQ(rig.input.PadCount(), 3);
    EXPECT_EQ(rig.input.Pad(1).name.size(), 260u);
    EXPECT_EQ(rig.input.Pad(1).device, -1);

    // The highest control comes from the last pad that has one on.
    rig.Pad(0).buttons[5] = 1; // control 22
    rig.Pad(2).axes[0] = 0;    // control 1
    rig.input.Poll();
    EXPECT_EQ(rig.input.HighestPadControl(), 1);
    EXPECT_TRUE(rig.input.IsPadControlOn(22));
    EXPECT_TRUE(rig.input.IsPadControlOn(AnyPadButton));

    // A pad plugged in while the game runs shows up at the next poll.
    rig.source->pads.push_back(FullPad());
    rig.source->padsChanged = true;
    rig.input.Poll();
    EXPECT_EQ(rig.input.PadCount(), 4);
    rig.source->pads.clear();
    rig.source->padsChanged = true;
    rig.input.Poll();
    EXPECT_EQ(rig.input.PadCount(), 0);
    EXPECT_EQ(rig.input.HighestPadControl(), 0);
    EXPECT_FALSE(rig.input.IsPadControlOn(AnyPadButton));
}

TEST(Keyboard, StateHighestKeyAndFailedReads) {
    Rig rig;
    rig.Keys({30, 200, 240});
    EXPECT_TRUE(rig.input.IsKeyDown(30));
    EXPECT_FALSE(rig.input.IsKeyDown(31));
    EXPECT_FALSE(rig.input.IsKeyDown(-1));
    EXPECT_FALSE(rig.input.IsKeyDown(256));
    EXPECT_EQ(rig.input.HighestKeyDown(), 200); // 240 lies beyond the named range
    // A failed read keeps what was known.
    rig.source->keyboardWorks = false;
    rig.Keys({});
    EXPECT_TRUE(rig.input.IsKeyDown(30));
    rig.source->keyboardWorks = true;
    rig.Keys({});
    EXPECT_EQ(rig.input.HighestKeyDown(), 0);
}

TEST(TypeText, ShiftBackspaceFullNameAndHeldKeys) {
    Rig rig;
    std::string name;
    auto type = [&](std::initializer_list<int> held, int maximum = 10) {
        rig.Keys(held);
        return rig.input.TypeText(name, maximum);
    };
    EXPECT_FALSE(type({30})); // a
    EXPECT_FALSE(type({30})); // held: types once
    EXPECT_FALSE(type({}));
    EXPECT_FALSE(type({42, 48})); // LEFT SHIFT + b
    EXPECT_FALSE(type({}));
    EXPECT_FALSE(type({54, 57})); // RIGHT SHIFT + space
    EXPECT_FALSE(type({}));
    EXPECT_FALSE(type({11, 2})); // two keys in one pass: table order, "0" before "1"
    EXPECT_EQ(name, "aB 01");
    EXPECT_FALSE(type({}));
    EXPECT_FALSE(type({14})); // BACK SPACE
    EXPECT_FALSE(type({14}));
    EXPECT_EQ(name, "aB 0");
    EXPECT_FALSE(type({}));

    // A full name still swallows the key until it is released.
    EXPECT_FALSE(type({46}, 4));
    EXPECT_EQ(name, "aB 0");
    EXPECT_FALSE(type({46, 14}, 4));
    EXPECT_EQ(name, "aB 0");
    EXPECT_FALSE(type({14}, 4));
    EXPECT_EQ(name, "aB ");
    EXPECT_FALSE(type({}));
    EXPECT_TRUE(type({28})); // ENTER
    EXPECT_EQ(name, "aB ");

    std::string empty;
    rig.Keys({});
    rig.Keys({14});
    EXPECT_FALSE(rig.input.TypeText(empty, 10));
    EXPECT_EQ(empty, "");
}

TEST(KeyTable, EveryNamedAndReservedKeyComesFromTheKeyboard) {
    std::set<int> reachable;
    std::set<int> scancodes;
    std::map<int, int> sources;
    for (const input::KeyMapping& m : input::KeyMappings()) {
        EXPECT_TRUE(scancodes.insert(m.scancode).second) << "scancode twice: " << m.scancode;
        EXPECT_GE(m.key, 1);
        reachable.insert(m.key);
        ++sources[m.key];
        EXPECT_EQ(input::KeyCodeOfScancode(m.scancode), m.key);
    }
    int named = 0;
    for (int code = 0; code < dinput::KeyNameCount; ++code) {
        if (TDInput::KeyName(code).empty()) continue;
        ++named;
        EXPECT_TRUE(reachable.count(code)) << "no key gives " << TDInput::KeyName(code);
    }
    EXPECT_EQ(named, 122);
    for (int reserved : {1, 25, 59, 60, 61, 62}) EXPECT_TRUE(reachable.count(reserved));
    // Only a key that different keyboards report under two scancodes may share a code.
    for (auto [key, count] : sources)
        if (count > 1) {
            EXPECT_TRUE(key == 43 || key == 160 || key == 183) << key;
        }
    EXPECT_TRUE(TDInput::KeyName(1).empty());
    EXPECT_TRUE(TDInput::KeyName(25).empty());
    EXPECT_EQ(TDInput::KeyName(43), "\\");
    EXPECT_EQ(TDInput::KeyName(238), "");
}
