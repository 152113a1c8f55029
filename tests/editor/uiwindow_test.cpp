// The editor window's own rules: the size it opens at, the keys that switch it to full
// screen, and how queued key and button events reach ImGui one change a frame.
#include "headlessui.h"
#include "platform/keys.h"
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
        EXPECT_EQ(input::IsFullScreenKey(c.scancode, c.alt), c.windows)
            << SDL_GetScancodeName(SDL_Scancode(c.scancode)) << (c.alt ? " with Alt" : "");
}

using Queue = std::deque<window::UiQueuedEvent>;
constexpr window::UiQueuedEvent Down(int key) {
    return {UiEventKind::KeyDown, key};
}
constexpr window::UiQueuedEvent Up(int key) {
    return {UiEventKind::KeyUp, key};
}
constexpr window::UiQueuedEvent Other() {
    return {};
}

struct Seen {
    std::vector<int> presses; // per key
    int frames = 0;
};

// Feeds the queue to ImGui as the window does, one frame at a time, and counts the presses
// of each key ImGui reports. Stops after a bounded number of frames.
Seen PressesSeen(Queue queue, int keys) {
    editortest::HeadlessUi ui;
    ImGuiIO& io = ImGui::GetIO();
    Seen seen{std::vector<int>(keys, 0)};
    for (; seen.frames < 1000 && !queue.empty(); ++seen.frames) {
        const size_t take = window::UiEventsForOneFrame({queue.begin(), queue.end()});
        EXPECT_GE(take, 1u);
        for (size_t k = 0; k < take; ++k) {
            const window::UiQueuedEvent event = queue.front();
            queue.pop_front();
            if (event.kind != UiEventKind::Other)
                io.KeysDown[event.control] = event.kind == UiEventKind::KeyDown;
        }
        ui.Frame([&] {
            for (int key = 0; key < keys; ++key)
                if (ImGui::IsKeyPressed(key, false)) ++seen.presses[key];
        });
    }
    EXPECT_TRUE(queue.empty());
    return seen;
}

// Sixteen quick taps of one key, all queued between two frames, are sixteen presses; keys
// typed fast and rolled (the next down before the last up) are each seen once, in few frames.
TEST(EditorUiWindow, EveryQuickTapReachesImGui) {
    Queue taps;
    for (int k = 0; k < 16; ++k) taps.insert(taps.end(), {Down(42), Other(), Up(42)});
    EXPECT_EQ(PressesSeen(taps, 64).presses[42], 16);

    Queue typed;
    for (int key = 4; key < 14; ++key) typed.insert(typed.end(), {Down(key), Other(), Up(key)});
    Seen seen = PressesSeen(typed, 16);
    for (int key = 4; key < 14; ++key) EXPECT_EQ(seen.presses[key], 1) << key;
    EXPECT_LE(seen.frames, 11); // a frame a key, not two: typing keeps up

    const Queue rolled = {Down(4), Down(5), Up(4), Other(), Up(5), Down(4), Up(4)};
    seen = PressesSeen(rolled, 8);
    EXPECT_EQ(seen.presses[4], 2);
    EXPECT_EQ(seen.presses[5], 1);
}

SDL_Event Key(Uint32 type, SDL_Scancode key, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = key;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    return event;
}

// SDL reports a release and a press that come together (sixteen quick taps, as X delivers
// them) as one press and its repeats: each repeat still reaches ImGui as a tap. A held key's
// first press is one press, as ever.
TEST(EditorUiWindow, TapsSdlTakesForRepeatsReachImGuiAsTaps) {
    std::deque<SDL_Event> events;
    window::QueueUiEvent(events, Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE));
    for (int k = 0; k < 15; ++k)
        window::QueueUiEvent(events, Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, true));
    window::QueueUiEvent(events, Key(SDL_KEYUP, SDL_SCANCODE_BACKSPACE));
    window::QueueUiEvent(events, Key(SDL_KEYDOWN, SDL_SCANCODE_A));
    window::QueueUiEvent(events, Key(SDL_KEYUP, SDL_SCANCODE_A));
    Queue queue;
    for (const SDL_Event& event : events) queue.push_back(window::UiQueuedOf(event));
    const Seen seen = PressesSeen(queue, 64);
    EXPECT_EQ(seen.presses[SDL_SCANCODE_BACKSPACE], 16);
    EXPECT_EQ(seen.presses[SDL_SCANCODE_A], 1);
}

TEST(EditorUiWindow, AFrameTakesNoTwoChangesOfOneControl) {
    using K = UiEventKind;
    const window::UiQueuedEvent press{K::ButtonDown, 1}, release{K::ButtonUp, 1};
    const struct {
        std::vector<window::UiQueuedEvent> queued;
        size_t taken;
    } cases[] = {
        {{}, 0},
        {{Other(), Other(), Other()}, 3},      // moves and text: all at once
        {{Down(4), Other(), Up(4)}, 2},        // a tap: its release waits
        {{Up(5), Down(4), Down(6), Up(4)}, 3}, // other keys go along
        {{Up(4), Down(4)}, 1},                 // and so does a second tap
        {{Down(22), Up(224), Up(22)}, 1}, // Ctrl+S after Ctrl went down: Ctrl stays held with S
        {{Down(4), Other(), Up(5)}, 2},   // keys come up in a later frame
        {{press, Other(), release}, 1},   // a click ends the frame at once
        {{Other(), press, Other()}, 2},
        {{release, Other(), Down(4), Other()}, 4}, // a release leads the events after it
        {{Other(), release}, 1},                   // and never follows others
    };
    for (const auto& c : cases) EXPECT_EQ(window::UiEventsForOneFrame(c.queued), c.taken);
}

} // namespace
