#include "engine/scriptedinput.h"

#include <gtest/gtest.h>

#include "engine/dinput.h"

namespace {

std::vector<InputStep> Parse(std::string_view text) {
    std::string error;
    auto steps = ParseInputScript(text, error);
    EXPECT_TRUE(steps) << error;
    return steps ? *steps : std::vector<InputStep>{};
}

std::string ErrorOf(std::string_view text) {
    std::string error;
    EXPECT_FALSE(ParseInputScript(text, error)) << text;
    return error;
}

TEST(InputScript, TextForm) {
    auto steps = Parse("# a name typed\n"
                       "0: 30 42   # shift + a\r\n"
                       "\n"
                       "  5 :\t1017 200\n"
                       "9:\n");
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].frame, 0);
    EXPECT_EQ(steps[0].codes, (std::vector<int>{30, 42}));
    EXPECT_EQ(steps[1].frame, 5);
    EXPECT_EQ(steps[1].codes, (std::vector<int>{1017, 200}));
    EXPECT_TRUE(steps[2].codes.empty());
    EXPECT_TRUE(Parse("").empty());

    EXPECT_EQ(ErrorOf("0: 1\n3 57\n"), "line 2: expected \"FRAME: CODE ...\"");
    EXPECT_EQ(ErrorOf("4: 1\n4: 2\n"), "line 2: frames must rise from line to line");
    EXPECT_EQ(ErrorOf("-1: 2\n"), "line 1: the frame is not a number of 0 or more");
    EXPECT_NE(ErrorOf("1: 256\n"), "");
    EXPECT_NE(ErrorOf("1: 0\n"), "");
    EXPECT_NE(ErrorOf("1: 1049\n"), "");
    EXPECT_NE(ErrorOf("1: 1050\n"), "");
    EXPECT_NE(ErrorOf("1: 12x\n"), "");
    EXPECT_NE(ErrorOf("x: 12\n"), "");
}

TEST(InputScript, DrivesTheInputObjectFrameByFrame) {
    auto script = std::make_unique<ScriptedInput>(Parse("2: 57\n"
                                                        "4: 1013 1014 1002 1048\n"
                                                        "6: 1016 1015 1005\n"
                                                        "8:\n"));
    ScriptedInput* source = script.get();
    TDInput input;
    ASSERT_TRUE(input.Init(std::move(script)));
    ASSERT_EQ(input.PadCount(), 1);

    std::vector<int> space, highest;
    for (int frame = 0; frame < 9; ++frame) {
        input.Poll();
        EXPECT_EQ(source->Frame(), frame);
        space.push_back(input.IsKeyDown(57));
        highest.push_back(input.HighestPadControl());
        if (frame == 4) {
            EXPECT_TRUE(input.IsPadControlOn(13));
            EXPECT_TRUE(input.IsPadControlOn(14));
            EXPECT_TRUE(input.IsPadControlOn(2));
            EXPECT_FALSE(input.IsPadControlOn(1));
            EXPECT_TRUE(input.IsPadControlOn(AnyPadButton));
        }
        if (frame == 6) {
            EXPECT_TRUE(input.IsPadControlOn(15));
            EXPECT_TRUE(input.IsPadControlOn(16));
            EXPECT_TRUE(input.IsPadControlOn(5));
            EXPECT_FALSE(input.IsPadControlOn(AnyPadButton));
        }
    }
    EXPECT_EQ(space, (std::vector<int>{0, 0, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(highest, (std::vector<int>{0, 0, 0, 0, 48, 48, 16, 16, 0}));
    EXPECT_TRUE(source->Finished());
}

TEST(InputScript, WaitingForReleasePollsUntilTheScriptLetsGo) {
    auto script = std::make_unique<ScriptedInput>(Parse("0: 1\n10: 1001\n20:\n"));
    ScriptedInput* source = script.get();
    TDInput input;
    ASSERT_TRUE(input.Init(std::move(script)));
    input.Poll();
    input.WaitKeyReleased(1);
    EXPECT_EQ(source->Frame(), 10);
    EXPECT_TRUE(input.IsPadControlOn(1));
    input.WaitPadReleased(1);
    EXPECT_EQ(source->Frame(), 20);

    // A script that ends with a key held does not hang whoever waits for its release.
    TDInput stuck;
    ASSERT_TRUE(stuck.Init(std::make_unique<ScriptedInput>(Parse("0: 57\n2: 1\n"))));
    stuck.Poll();
    stuck.WaitKeyReleased(57);
    stuck.WaitKeyReleased(1);
    EXPECT_TRUE(stuck.IsKeyDown(1));

    // Without pad codes there is no pad at all.
    TDInput keysOnly;
    ASSERT_TRUE(keysOnly.Init(std::make_unique<ScriptedInput>(Parse("0: 57\n"))));
    EXPECT_EQ(keysOnly.PadCount(), 0);
}

TEST(InputScript, AGivenPadCountAttachesThatManyPads) {
    // Pad codes act on the first pad, and only when a pad is attached.
    const struct {
        int pads;
        int attached;
        bool held;
    } cases[] = {{-1, 1, true}, {0, 0, false}, {1, 1, true}, {3, 3, true}};
    for (const auto& c : cases) {
        TDInput input;
        ASSERT_TRUE(input.Init(std::make_unique<ScriptedInput>(Parse("0: 1017\n"), c.pads)));
        input.Poll();
        EXPECT_EQ(input.PadCount(), c.attached) << c.pads;
        EXPECT_EQ(input.IsPadControlOn(17), c.held) << c.pads;
    }
}

} // namespace

TEST(InputScript, TapsAreDownForOnePollAndQuickRepeatsStaySeparate) {
    EXPECT_EQ(Parse("3: 57* 1017* 200\n")[0].taps, (std::vector<int>{57, 1017}));
    EXPECT_EQ(Parse("3: 57* 1017* 200\n")[0].codes, (std::vector<int>{200}));
    EXPECT_NE(ErrorOf("1: 1001*\n"), ""); // an axis is moved, not tapped
    EXPECT_NE(ErrorOf("1: *\n"), "");

    struct tcase {
        const char* script;
        std::vector<int> space; // SPACE as each of the first eight polls reads it
    };
    const tcase cases[] = {
        {"2: 57*\n", {0, 0, 1, 0, 0, 0, 0, 0}},
        // Let go and pressed again between two polls: up once, then the new press.
        {"2: 57*\n3: 57*\n", {0, 0, 1, 0, 1, 0, 0, 0}},
        {"1: 57\n3: 57 57*\n5:\n", {0, 1, 1, 0, 1, 0, 0, 0}},
        // Three taps in three polls: none is lost, each shows once.
        {"1: 57*\n2: 57*\n3: 57*\n", {0, 1, 0, 1, 0, 1, 0, 0}},
        // A key held through polls is one press, however long.
        {"1: 57\n6:\n", {0, 1, 1, 1, 1, 1, 0, 0}},
    };
    for (const tcase& c : cases) {
        TDInput input;
        ASSERT_TRUE(input.Init(std::make_unique<ScriptedInput>(Parse(c.script))));
        std::vector<int> space;
        for (int poll = 0; poll < 8; ++poll) {
            input.Poll();
            space.push_back(input.IsKeyDown(57));
        }
        EXPECT_EQ(space, c.space) << c.script;
    }

    // A pad button and a hat direction tapped between polls are on for one poll.
    TDInput input;
    ASSERT_TRUE(input.Init(std::make_unique<ScriptedInput>(Parse("1: 1019* 1015*\n"))));
    ASSERT_EQ(input.PadCount(), 1);
    std::vector<int> button, hat;
    for (int poll = 0; poll < 4; ++poll) {
        input.Poll();
        button.push_back(input.IsPadControlOn(19));
        hat.push_back(input.IsPadControlOn(15));
    }
    EXPECT_EQ(button, (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(hat, (std::vector<int>{0, 1, 0, 0}));
}
