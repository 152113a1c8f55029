#include "campaign/menu.h"
#include "campaign/screens.h"
#include "campaign/storycells.h"
#include "campaign/storytimeline.h"
#include "platform/message.h"
#include "render/assetorder.h"
#include "render/textures.h"
#include "support/screenrig.h"

#include <gtest/gtest.h>

#include <optional>

using namespace story;

namespace {

// The maker's line coming in.
constexpr tpath path{1100, 400, 600, 400};

// Every operation draws nothing at the opening instant of its window and draws at its end.
TEST(StoryTiming, WindowsOpenOnTheLeftAndCloseOnTheRight) {
    struct tcase {
        const char* what;
        bool (*drawsAt)(float t);
    };
    const tcase cases[] = {
        {"zoom-in", [](float t) { return ZoomIn(t, 3, 4).has_value(); }},
        {"fade-in", [](float t) { return FadeIn(t, 1.5f, 3, 4).has_value(); }},
        {"pan", [](float t) { return Pan(t, 0, 528, 3, 4).has_value(); }},
        {"slide-in", [](float t) { return SlideIn(t, path, 3, 4).has_value(); }},
        {"slide-out", [](float t) { return SlideOut(t, path, 3, 4).has_value(); }},
        {"text hold", [](float t) { return TextHold(t, 600, 400, 3, 4).has_value(); }},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(c.drawsAt(3.0f));
        EXPECT_TRUE(c.drawsAt(3.001f));
        EXPECT_TRUE(c.drawsAt(4.0f));
        EXPECT_FALSE(c.drawsAt(4.001f));
    }
    EXPECT_FALSE(Hold(4.0f, 1, 4));
    EXPECT_TRUE(Hold(4.001f, 1, 4));
    EXPECT_TRUE(Hold(1000.0f, 1, 4));
}

TEST(StoryTiming, PanelsGrowOrFadeInAndAreHeldOpaque) {
    struct tcase {
        const char* what;
        std::optional<tpanellook> look;
        float scale;
        int alphaLow, alphaHigh;
    };
    const tcase cases[] = {
        {"zoom-in half-way", ZoomIn(11.5f, 11, 12), 1.5f, 127, 128},
        {"zoom-in just begun", ZoomIn(11.01f, 11, 12), 1.99f, 2, 3},
        {"zoom-in done", ZoomIn(12, 11, 12), 1.0f, 255, 255},
        {"fade-in half-way", FadeIn(22.75f, 1.5f, 22.5f, 23.5f), 1.5f, 63, 64},
        {"fade-in done", FadeIn(23.5f, 1.5f, 22.5f, 23.5f), 1.5f, 255, 255},
        {"held", Hold(40, 1.5f, 23.5f), 1.5f, 255, 255},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.look);
        EXPECT_NEAR(c.look->scale, c.scale, 1e-4f);
        EXPECT_GE(c.look->alpha, c.alphaLow);
        EXPECT_LE(c.look->alpha, c.alphaHigh);
    }
}

TEST(StoryTiming, TextsEaseInAndFadeOutAlongTheirPath) {
    // The ease is fast first: a quarter of the time covers more than a quarter of the way.
    const auto quarter = SlideIn(56.5f, path, 56, 58);
    ASSERT_TRUE(quarter);
    EXPECT_NEAR(quarter->x, 1100 - 500 * 0.38268f, 0.05f);
    EXPECT_LT(quarter->x, 1100 - 500 * 0.25f);
    EXPECT_FLOAT_EQ(quarter->y, 400);
    EXPECT_EQ(quarter->alpha, 98); // sin(pi/8) x 255

    const auto arrived = SlideIn(58, path, 56, 58);
    ASSERT_TRUE(arrived);
    EXPECT_NEAR(arrived->x, 600, 1e-3f);
    EXPECT_EQ(arrived->alpha, 255);

    // Sliding out takes the same path, but the light goes linearly.
    const auto out = SlideOut(56.5f, path, 56, 58);
    ASSERT_TRUE(out);
    EXPECT_FLOAT_EQ(out->x, quarter->x);
    EXPECT_EQ(out->alpha, 191);
    const auto gone = SlideOut(58, path, 56, 58);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->alpha, 0);
}

TEST(StoryTiming, IntroScrollStaysBetweenPans) {
    struct tcase {
        float t, scroll;
    };
    const tcase cases[] = {{0, 0},     {10, 0},       {10.5f, 264}, {11, 528},
                           {14, 528},  {17, 528},     {17.5f, 792}, {18, 1056},
                           {33, 2214}, {46.5f, 2624}, {73.9f, 2624}};
    for (const tcase& c : cases) EXPECT_NEAR(ScrollAt(c.t, IntroPans), c.scroll, 1e-2f) << c.t;
    // The pan on its own agrees inside its window.
    EXPECT_NEAR(*Pan(10.5f, 0, 528, 10, 11), 264, 1e-3f);
}

// Takes a tenth of a second on every reading, so a story runs through in a few hundred frames.
class tsteppingclock final : public tcountersource {
  public:
    int64_t Frequency() override { return 1000; }
    int64_t Counter() override { return now += 100; }

  private:
    int64_t now = 0;
};

class StoryLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        FirstStoryCell = -1;
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
    }
    void TearDown() override {
        FirstStoryCell = -1;
        Textures().Clear();
        ShowMessage = MessageToStderr;
    }
};

TEST_F(StoryLoop, IntroLoadsTheCellsAndAKeyEndsItAtOnce) {
    screenrig::trig rig("3: 57\n");
    Intro(rig.services);
    EXPECT_EQ(rig.Frame(), 3);
    EXPECT_FALSE(rig.services.Closing());
    EXPECT_EQ(FirstStoryCell, 0);
    ASSERT_EQ(rig.services.storySprites->Count(), StoryCellCount + 1);
    const tsprite& overlay = rig.services.storySprites->Sprite(FirstStoryCell + StoryOverlayCell);
    EXPECT_EQ(overlay.width, StoryCells[StoryOverlayCell].width);

    // A pad button does the same.
    FirstStoryCell = -1; // a new sprite batch
    screenrig::trig pad("1: 1017\n");
    Intro(pad.services);
    EXPECT_EQ(pad.Frame(), 1);

    // A key tapped while the assets loaded, long let go when the intro first looks.
    FirstStoryCell = -1;
    screenrig::trig early("0: 30*\n");
    early.services.input->KeepAlive();
    Intro(early.services);
    EXPECT_EQ(early.Frame(), 0);
}

TEST_F(StoryLoop, EpilogueWaitsForTheHeldKeyToBeReleasedThenEndsOnThePress) {
    struct tcase {
        const char* script;
        long endsAt;
    };
    const tcase cases[] = {
        {"0: 57\n5:\n10: 28\n", 10},            // Space still held from the level
        {"0: 1017\n4:\n8: 1017\n", 8},          // a pad button
        {"0: 57 1018\n3: 1018\n6:\n9: 1\n", 9}, // released one after the other
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.script);
        screenrig::trig rig(c.script);
        Epilogue(rig.services);
        EXPECT_EQ(rig.Frame(), c.endsAt);
        EXPECT_EQ(rig.services.sound->MusicName(), MenuMusic);
    }
}

TEST_F(StoryLoop, StoriesRunOutOnTheirClock) {
    tsteppingclock clock;
    screenrig::trig rig("", 5000);
    rig.services.timer = std::make_unique<tdtimer>(&clock);
    Intro(rig.services);
    EXPECT_FALSE(rig.services.Closing());
    EXPECT_NEAR(rig.Frame(), 740, 5);
    EXPECT_EQ(rig.services.sound->MusicName(), "snd\\intro.ogg");
    // Paper under the strip until the menu picture takes over at 69.
    const auto& device = static_cast<const gpu::RecordingDevice&>(*rig.services.graphics->Device());
    int paper = 0, black = 0;
    for (const std::string& call : device.calls) {
        if (call.rfind("Clear ", 0) != 0) continue;
        paper += call.find(" ffddd7c6 ") != std::string::npos;
        black += call.find(" ff000000 ") != std::string::npos;
    }
    EXPECT_NEAR(paper, 690, 5);
    EXPECT_NEAR(black, 50, 5);

    const long before = rig.Frame();
    Epilogue(rig.services);
    EXPECT_FALSE(rig.services.Closing());
    EXPECT_NEAR(rig.Frame() - before, 350, 5);
    EXPECT_EQ(rig.services.sound->MusicName(), MenuMusic);
    EXPECT_EQ(rig.services.storySprites->Count(), StoryCellCount + 1); // loaded once
}

} // namespace
