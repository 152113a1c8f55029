// level-check FILE: can the level be completed? Prints the route length or the reason.
#include "command.h"
#include "levelcheck.h"
#include "levelfile.h"

#include <cstdio>
#include <memory>

namespace {

int LevelCheck(const std::vector<std::string>& args) {
    if (args.size() != 1) return tool::Usage;
    auto level = std::make_unique<levelkit::LevelSource>();
    std::string error;
    if (!levelkit::ReadLevelFile(args[0], *level, error)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), error.c_str());
        return tool::Refused;
    }
    levelkit::CheckResult result = levelkit::CheckLevel(*level);
    std::printf("%s\n", levelkit::Describe(result).c_str());
    return result.completable ? tool::Ok : tool::Refused;
}

tool::Register checkCommand({"level-check", "FILE", LevelCheck});

} // namespace
