// The window, its GL context, the displays and the desktop services, without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <SDL.h>

#include "platform/inputsource.h"
#include "platform/window.h"
#include "platform/window_desktop.h"

namespace fs = std::filesystem;

TEST(Window, OpensReopensAndClosesItsGlContext) {
    window::Window w("Tarnhollow");
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(w.Open({0, 480, false, 32, 0}), window::OpenResult::ModeRefused);
    EXPECT_FALSE(w.IsOpen());
    const window::OpenResult r = w.Open({320, 200, false, 32, 0});
    if (r == window::OpenResult::NoVideo || r == window::OpenResult::NoGlContext)
        GTEST_SKIP() << "no video or no OpenGL 3.3 driver here";
    ASSERT_EQ(r, window::OpenResult::Ok);
    EXPECT_EQ(w.DrawableWidth(), 320);
    EXPECT_EQ(w.DrawableHeight(), 200);
    ASSERT_EQ(w.Open({640, 480, false, 32, 0}), window::OpenResult::Ok);
    EXPECT_EQ(w.DrawableWidth(), 640);
    // Full screen asked in a 16-bit mode of another size covers the desktop as it is and
    // leaves the display's mode alone.
    window::DisplayMode before, after;
    ASSERT_TRUE(window::CurrentDisplayMode(0, before));
    ASSERT_EQ(w.Open({800, 600, true, 16, 0}), window::OpenResult::Ok);
    EXPECT_EQ(w.DrawableWidth(), before.width);
    EXPECT_EQ(w.DrawableHeight(), before.height);
    ASSERT_TRUE(window::CurrentDisplayMode(0, after));
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(after.bitsPerPixel, before.bitsPerPixel);
    w.Close();
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(w.DrawableWidth(), 0);
}

namespace {
void PushKey(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, bool repeat = false) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
}
} // namespace

// The keys reach the window the way the game reads them: through the input system's pump.
TEST(Window, F11AndAltEnterSwitchBetweenWindowAndFullScreenAndCloseStillWorks) {
    auto input = input::OpenSystemInput();
    ASSERT_TRUE(input);
    window::Window w("Tarnhollow");
    window::WindowRequest request;
    request.width = 640;
    request.height = 480;
    request.resizable = true;
    request.fullscreenKeys = true;
    const window::OpenResult r = w.Open(request);
    if (r == window::OpenResult::NoVideo || r == window::OpenResult::NoGlContext)
        GTEST_SKIP() << "no video or no OpenGL 3.3 driver here";
    ASSERT_EQ(r, window::OpenResult::Ok);
    window::DisplayMode desktop;
    ASSERT_TRUE(window::CurrentDisplayMode(0, desktop));
    std::vector<bool> told;
    w.OnFullscreenKeys([&](bool fullscreen) { told.push_back(fullscreen); });

    struct Step {
        const char* what;
        SDL_Keycode key;
        Uint16 modifiers;
        bool repeat;
        bool fullscreenAfter;
    };
    const Step steps[] = {
        {"Enter alone is the game's", SDLK_RETURN, KMOD_NONE, false, false},
        {"so is Ctrl+Enter", SDLK_RETURN, KMOD_LCTRL, false, false},
        {"F11 goes full screen", SDLK_F11, KMOD_NONE, false, true},
        {"its held repeats do nothing", SDLK_F11, KMOD_NONE, true, true},
        {"Alt+Enter comes back", SDLK_RETURN, KMOD_LALT, false, false},
        {"Alt+keypad Enter, right Alt", SDLK_KP_ENTER, KMOD_RALT, false, true},
        {"Alt with another key is the game's", SDLK_SPACE, KMOD_LALT, false, true},
        {"F11 comes back", SDLK_F11, KMOD_NONE, false, false},
    };
    std::vector<bool> expectedTold;
    bool fullscreen = false;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        PushKey(step.key, step.modifiers, step.repeat);
        input->Pump();
        EXPECT_EQ(w.Fullscreen(), step.fullscreenAfter);
        if (step.fullscreenAfter != fullscreen) expectedTold.push_back(step.fullscreenAfter);
        fullscreen = step.fullscreenAfter;
        // Full screen covers the desktop as it is; the window gets back the size it had.
        EXPECT_EQ(w.DrawableWidth(), fullscreen ? desktop.width : 640);
        EXPECT_EQ(w.DrawableHeight(), fullscreen ? desktop.height : 480);
        EXPECT_FALSE(input->TakeCloseRequest());
    }
    EXPECT_EQ(told, expectedTold);

    // A window opened full screen has known no other size: it comes back at the one asked.
    request.fullscreen = true;
    ASSERT_EQ(w.Open(request), window::OpenResult::Ok);
    EXPECT_TRUE(w.Fullscreen());
    PushKey(SDLK_F11);
    input->Pump();
    EXPECT_FALSE(w.Fullscreen());
    EXPECT_EQ(w.DrawableWidth(), 640);
    EXPECT_EQ(w.DrawableHeight(), 480);
    expectedTold.push_back(false);
    EXPECT_EQ(told, expectedTold);

    // The close button (the last window closing) still asks the game to close.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    input->Pump();
    EXPECT_TRUE(input->TakeCloseRequest());
    EXPECT_FALSE(input->TakeCloseRequest()); // taken once

    // A closed window takes no more keys.
    w.Close();
    PushKey(SDLK_F11);
    input->Pump();
    EXPECT_FALSE(w.Fullscreen());
    EXPECT_EQ(told, expectedTold);
}

TEST(Window, ListsEachModeOnceLargestFirst) {
    if (!window::StartVideo() || window::DisplayCount() < 1) GTEST_SKIP() << "no video system";
    const auto modes = window::DisplayModes(0);
    ASSERT_FALSE(modes.empty());
    for (const auto& m : modes) {
        EXPECT_GT(m.width, 0);
        EXPECT_GT(m.height, 0);
    }
    for (size_t i = 1; i < modes.size(); ++i) {
        const auto& a = modes[i - 1];
        const auto& b = modes[i];
        EXPECT_TRUE(a.width > b.width || (a.width == b.width && a.height >= b.height));
        EXPECT_FALSE(a.width == b.width && a.height == b.height &&
                     a.bitsPerPixel == b.bitsPerPixel);
    }
    window::DisplayMode desktop;
    ASSERT_TRUE(window::CurrentDisplayMode(0, desktop));
    EXPECT_GT(desktop.width, 0);
    EXPECT_TRUE(desktop.bitsPerPixel == 16 || desktop.bitsPerPixel == 32);
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [&](const window::DisplayMode& m) {
        return m.width == desktop.width && m.height == desktop.height;
    }));
    EXPECT_FALSE(window::CurrentDisplayMode(99, desktop));
}

TEST(Desktop, MessageWithoutADisplayGoesToStderrOnly) {
    // Under the offscreen driver no box may appear (it would wait for a click forever).
    ASSERT_TRUE(window::StartVideo());
    testing::internal::CaptureStderr();
    window::MessageBox("Tarnhollow", "ERROR: Unable to set screen mode.",
                       window::MessageIcon::Error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Tarnhollow: ERROR: Unable to set screen mode.\n");
}

TEST(Desktop, OpensDocumentsThroughXdgOpenWithoutAShell) {
    const fs::path folder = fs::temp_directory_path() / ("xdgopen-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path script = folder / "xdg-open", out = folder / "opened.txt";
    {
        std::ofstream s(script);
        // Shell built-ins only: PATH holds nothing but this folder while it runs.
        s << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << out.string() << "'\n";
    }
    fs::permissions(script, fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", folder.c_str(), 1);
    // Spaces, quotes and a semicolon stay inside the one argument.
    const std::string target = "manual file.pdf; echo 'hacked'";
    const bool started = window::OpenDocument(target);
    std::string seen;
    for (int i = 0; i < 200 && seen.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(out);
        std::getline(in, seen, '\0');
    }
    fs::remove(script);
    EXPECT_FALSE(window::OpenDocument("https://example.org")); // no xdg-open on the path now
    setenv("PATH", oldPath.c_str(), 1);
    fs::remove_all(folder);
    EXPECT_TRUE(started);
    EXPECT_EQ(seen, "1|" + target);
}

TEST(Desktop, StartsAProgramAndTellsWhenItHasEnded) {
    const fs::path folder = fs::temp_directory_path() / ("program-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path go = folder / "go";
    // The child runs until the file "go" appears, then ends.
    const int child = window::StartProgram(
        "/bin/sh", {"-c", "while [ ! -e \"$1\" ]; do sleep 0.01; done", "sh", go.string()});
    ASSERT_GT(child, 0);
    EXPECT_FALSE(window::ProgramEnded(child));
    std::ofstream(go).put('x');
    bool ended = false;
    for (int i = 0; i < 500 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = window::ProgramEnded(child);
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(window::StartProgram((folder / "missing").string(), {}), -1);
    fs::remove_all(folder);
}
