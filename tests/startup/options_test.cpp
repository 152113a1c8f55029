#include "startup/options.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramOptions, EachOptionAndTheFaults) {
    using A = tprogramoptions;
    struct Case {
        std::vector<std::string> args;
        A::Action action;
        bool skipSetup, windowed;
        std::string picture;
        std::string level = "";
        int slot = 0;
    };
    const Case cases[] = {
        {{}, A::Run, false, false, ""},
        {{"--skip-setup", "--windowed"}, A::Run, true, true, ""},
        {{"--windowed"}, A::Run, false, true, ""},
        {{"--dialog-picture", "out.png"}, A::Run, false, false, "out.png"},
        {{"--windowed", "--help"}, A::Help, false, true, ""},
        {{"-h"}, A::Help, false, false, ""},
        {{"--version", "--bogus"}, A::Version, false, false, ""}, // the first answer wins
        {{"--bogus"}, A::Fail, false, false, ""},
        {{"--windowed", "extra"}, A::Fail, false, true, ""},
        {{"--dialog-picture"}, A::Fail, false, false, ""}, // the file is missing
        {{"--play-level", "my.dat"}, A::Run, false, false, "", "my.dat", 0},
        {{"--play-level", "a b.dat", "--slot", "3", "--windowed"},
         A::Run,
         false,
         true,
         "",
         "a b.dat",
         3},
        {{"--slot", "10", "--play-level", "x.dat"}, A::Run, false, false, "", "x.dat", 10},
        {{"--play-level"}, A::Fail, false, false, ""}, // no file
        {{"--play-level", "x.dat", "--slot"}, A::Fail, false, false, "", "x.dat"},
        {{"--play-level", "x.dat", "--slot", "0"}, A::Fail, false, false, "", "x.dat"},
        {{"--play-level", "x.dat", "--slot", "11"}, A::Fail, false, false, "", "x.dat"},
        {{"--play-level", "x.dat", "--slot", "2x"}, A::Fail, false, false, "", "x.dat"},
        {{"--slot", "2"}, A::Fail, false, false, "", "", 2}, // a slot without a level
    };
    for (const Case& c : cases) {
        const tprogramoptions o = ParseProgramOptions(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.skipSetup, c.skipSetup);
        EXPECT_EQ(o.windowed, c.windowed);
        EXPECT_EQ(o.dialogPicture, c.picture);
        EXPECT_EQ(o.playLevel, c.level);
        if (c.action != A::Fail) {
            EXPECT_EQ(o.playSlot, c.slot);
        }
        EXPECT_EQ(o.error.empty(), c.action != A::Fail);
    }
    EXPECT_NE(UsageText().find("--skip-setup"), std::string::npos);
    EXPECT_NE(UsageText().find("--play-level"), std::string::npos);
}

} // namespace
