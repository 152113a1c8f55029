// level-source FILE: prints a level file as source; level-compile SOURCE OUT: the way back.
#include "command.h"
#include "levelargument.h"
#include "levelsource.h"

#include "platform/files.h"

#include <cstdio>
#include <memory>

namespace {

int LevelSource(const std::vector<std::string>& args) {
    if (args.size() != 1) return tool::Usage;
    auto level = tool::ReadLevelArgument(args[0]);
    if (!level) return tool::Refused;
    std::string text = levelkit::WriteSource(*level);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return tool::Ok;
}

int LevelCompile(const std::vector<std::string>& args) {
    if (args.size() != 2) return tool::Usage;
    std::string text, error;
    if (!files::ReadAll(args[0], text)) {
        std::fprintf(stderr, "%s: cannot read\n", args[0].c_str());
        return tool::Refused;
    }
    auto level = std::make_unique<levelkit::LevelSource>();
    if (!levelkit::ReadSource(text, *level, error) ||
        !levelkit::WriteLevelFile(*level, args[1], error)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), error.c_str());
        return tool::Refused;
    }
    return tool::Ok;
}

tool::Register sourceCommand({"level-source", "FILE", LevelSource});
tool::Register compileCommand({"level-compile", "SOURCE OUT", LevelCompile});

} // namespace
