// The window, its GL context, the displays and the desktop services, without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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
