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
    };
    for (const Case& c : cases) {
        const tprogramoptions o = ParseProgramOptions(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.skipSetup, c.skipSetup);
        EXPECT_EQ(o.windowed, c.windowed);
        EXPECT_EQ(o.dialogPicture, c.picture);
        EXPECT_EQ(o.error.empty(), c.action != A::Fail);
    }
    EXPECT_NE(UsageText().find("--skip-setup"), std::string::npos);
}

} // namespace
