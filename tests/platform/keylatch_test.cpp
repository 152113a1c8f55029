#include "platform/keylatch.h"

#include <gtest/gtest.h>

#include "platform/keys.h"

namespace {

int ScancodeOf(int key) {
    for (const input::KeyMapping& m : input::KeyMappings())
        if (m.key == key) return m.scancode;
    return -1;
}

constexpr int A = 30, Enter = 28, NumpadEnter = 156;

} // namespace

TEST(KeyLatch, PressesAreKeptUntilTakenOnceAndRepeatsAreNoPresses) {
    input::KeyLatch latch;
    latch.KeyDown(ScancodeOf(A), false, false);
    latch.KeyUp(ScancodeOf(A));
    input::KeyState presses;
    latch.TakePresses(presses);
    EXPECT_EQ(presses[A], input::KeyDownBit);
    latch.TakePresses(presses);
    EXPECT_EQ(presses[A], 0);

    latch.KeyDown(ScancodeOf(A), true, false); // the key held long enough to repeat
    latch.TakePresses(presses);
    EXPECT_EQ(presses[A], 0);
}

TEST(KeyLatch, EnterWithAltIsNeverTheGamesEnterButEnterAloneIs) {
    input::KeyLatch latch;
    input::KeyState presses, held{};
    held[Enter] = input::KeyDownBit;

    latch.KeyDown(ScancodeOf(Enter), false, true);
    latch.TakePresses(presses);
    EXPECT_EQ(presses[Enter], 0);
    input::KeyState seen = held;
    latch.Filter(seen); // still held after Alt was let go: still the switch's Enter
    EXPECT_EQ(seen[Enter], 0);
    latch.KeyUp(ScancodeOf(Enter));

    latch.KeyDown(ScancodeOf(Enter), false, false);
    latch.KeyDown(ScancodeOf(NumpadEnter), false, true); // the keypad's Enter switches too
    latch.TakePresses(presses);
    EXPECT_EQ(presses[Enter], input::KeyDownBit);
    EXPECT_EQ(presses[NumpadEnter], 0);
    seen = held;
    seen[NumpadEnter] = input::KeyDownBit;
    latch.Filter(seen);
    EXPECT_EQ(seen[Enter], input::KeyDownBit);
    EXPECT_EQ(seen[NumpadEnter], 0);
}
