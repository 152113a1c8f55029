// The editor window's own rules: the size it opens at, the keys that switch it to full
// screen, and how queued key and button events reach ImGui one change a frame.
#include "headlessui.h"
#include "platform/uiwindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using window::UiEventKind;
using window::UiSize;

TEST(EditorUiWindow, OpensNoLargerThanTheUsableArea) {
    const struct {
        UiSize area, expected;
    } cases[] = {
        {{1920, 1080}, {1280, 800}}, // room to spare: as asked
        {{1280, 1024}, {1264, 800}}, // as wide as the screen: the frame still fits
        {{1280, 800}, {1264, 752}},  // a panel-less laptop screen
        {{1024, 768}, {1008, 720}},  {{800, 600}, {784, 552}},
        {{600, 400}, {600, 400}}, // smaller than 640 x 480: the whole area
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.area.width) + " x " + std::to_string(c.area.height));
        EXPECT_EQ(window::FitWindowSize({1280, 800}, c.area), c.expected);
    }
}

TEST(EditorUiWindow, F11AndAltEnterAreTheWindowsAndNothingElse) {
    const struct {
        int scancode;
        bool alt, windows;
    } cases[] = {
        {SDL_SCANCODE_F11, false, true},       {SDL_SCANCODE_F11, true, true},
        {SDL_SCANCODE_RETURN, true, true},     {SDL_SCANCODE_KP_ENTER, true, true},
        {SDL_SCANCODE_RETURN, false, false},   {SDL_SCANCODE_KP_ENTER, false, false},
        {SDL_SCANCODE_F10, false, false},      {SDL_SCANCODE_F12, true, false},
        {SDL_SCANCODE_BACKSPACE, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(window::IsFullScreenKey(c.scancode, c.alt), c.windows)
            << SDL_GetScancodeName(SDL_Scancode(c.scancode)) << (c.alt ? " with Alt" : "");
}

// Events as the window queues them: a key or button change (the key's index), or another
// event (-1).
struct Queued {
    UiEventKind kind;
    int key = -1;
};

// Feeds the queue to ImGui as the window does, one frame at a time, and counts the presses
// of each key ImGui reports. Stops after a bounded number of frames.
std::vector<int> PressesSeen(std::deque<Queued> queue, int keys) {
    editortest::HeadlessUi ui;
    ImGuiIO& io = ImGui::GetIO();
    std::vector<int> presses(keys, 0);
    for (int frame = 0; frame < 1000 && !queue.empty(); ++frame) {
        std::vector<UiEventKind> kinds;
        for (const Queued& event : queue) kinds.push_back(event.kind);
        const size_t take = window::UiEventsForOneFrame(kinds);
        EXPECT_GE(take, 1u);
        for (size_t k = 0; k < take; ++k) {
            const Queued event = queue.front();
            queue.pop_front();
            if (event.key >= 0) io.KeysDown[event.key] = event.kind == UiEventKind::Press;
        }
        ui.Frame([&] {
            for (int key = 0; key < keys; ++key)
                if (ImGui::IsKeyPressed(key, false)) ++presses[key];
        });
    }
    EXPECT_TRUE(queue.empty());
    return presses;
}

// Sixteen quick taps of one key, all queued between two frames, are sixteen presses; taps of
// two keys interleaved with text and motion events are each seen once.
TEST(EditorUiWindow, EveryQuickTapReachesImGui) {
    std::deque<Queued> taps;
    for (int k = 0; k < 16; ++k) {
        taps.push_back({UiEventKind::Press, 42});
        taps.push_back({UiEventKind::Other});
        taps.push_back({UiEventKind::Release, 42});
    }
    EXPECT_EQ(PressesSeen(taps, 64)[42], 16);

    // Rolled keys: the second goes down before the first comes up.
    const std::deque<Queued> rolled = {{UiEventKind::Press, 4},   {UiEventKind::Press, 5},
                                       {UiEventKind::Release, 4}, {UiEventKind::Other},
                                       {UiEventKind::Release, 5}, {UiEventKind::Press, 4},
                                       {UiEventKind::Release, 4}};
    const std::vector<int> seen = PressesSeen(rolled, 8);
    EXPECT_EQ(seen[4], 2);
    EXPECT_EQ(seen[5], 1);
}

TEST(EditorUiWindow, AFrameTakesOneChangeFirstAndEndsAfterAPress) {
    using K = UiEventKind;
    const struct {
        std::vector<K> queued;
        size_t taken;
    } cases[] = {
        {{}, 0},
        {{K::Other, K::Other, K::Other}, 3},   // moves and text: all at once
        {{K::Press, K::Other, K::Release}, 1}, // a press stands alone, before what follows
        {{K::Release, K::Other, K::Other, K::Press}, 3}, // a release leads the events after it
        {{K::Other, K::Release}, 1},                     // a release waits for the next frame
        {{K::Other, K::Press}, 1},                       // and so does a press
        {{K::Release, K::Release}, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(window::UiEventsForOneFrame(c.queued), c.taken);
}

} // namespace
