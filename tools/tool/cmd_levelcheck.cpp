// level-check FILE: can the level be completed? Prints the route length or the reason.
#include "command.h"
#include "levelargument.h"
#include "levelcheck.h"

#include <cstdio>
#include <memory>

namespace {

int LevelCheck(const std::vector<std::string>& args) {
    if (args.size() != 1) return tool::Usage;
    auto level = tool::ReadLevelArgument(args[0]);
    if (!level) return tool::Refused;
    levelkit::CheckResult result = levelkit::CheckLevel(*level);
    std::printf("%s\n", levelkit::Describe(result).c_str());
    return result.completable ? tool::Ok : tool::Refused;
}

tool::Register checkCommand({"level-check", "FILE", LevelCheck});

} // namespace
