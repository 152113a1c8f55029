// "Read the Manual" on desktops with and without a program for PDF files.
#include "startup/manualopener.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// PATH holds only a folder with a stand-in xdg-open that ends with the given status (none
// at all for -1) while `body` runs.
template <typename Body> void WithOpener(int exitStatus, Body body) {
    const fs::path folder = fs::absolute("bin");
    fs::create_directories(folder);
    if (exitStatus >= 0) {
        std::ofstream(folder / "xdg-open") << "#!/bin/sh\nexit " << exitStatus << "\n";
        fs::permissions(folder / "xdg-open", fs::perms::owner_all);
    }
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", folder.c_str(), 1);
    body();
    setenv("PATH", oldPath.c_str(), 1);
    fs::remove_all(folder);
}

// Polls until the opener has answered, as the dialog does frame after frame, for at most
// `frames` frames of 10 ms.
std::string Answer(tmanualopener& opener, int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        if (std::string message = opener.Poll(); !message.empty()) return message;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TEST(ManualOpener, TellsWhereTheManualIsOnlyWhenNoProgramOpensIt) {
    ScratchFolder scratch;
    const std::string manual = "/opt/tarnhollow/manual.pdf";
    const std::string told =
        "The manual is /opt/tarnhollow/manual.pdf; no program to open PDF files was found.";
    struct Case {
        int openerStatus; // -1: no opener on the desktop at all
        const char* atOnce;
        const char* later;
    };
    const Case cases[] = {
        {-1, told.c_str(), ""}, // nothing to ask
        {3, "", told.c_str()},  // the opener found no program for PDF files
        {4, "", told.c_str()},  // it found one that failed to start
        {0, "", ""},            // a viewer shows the manual
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.openerStatus);
        WithOpener(c.openerStatus, [&] {
            tmanualopener opener;
            EXPECT_EQ(opener.Open(manual), c.atOnce);
            // A message comes within 2 s; silence is given half a second.
            EXPECT_EQ(Answer(opener, *c.later ? 200 : 50), c.later);
            EXPECT_EQ(opener.Poll(), ""); // told once
        });
    }
}

} // namespace
