// tarnhollow-tool: the command-line companion for level authors, modders and tests.
#include "command.h"

#include "creatures/creaturetable.h"
#include "platform/filesizelimit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tool {
std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace tool

static void PrintUsage() {
    std::fprintf(stderr, "usage: tarnhollow-tool COMMAND ARGS...\n");
    for (const auto& command : tool::Commands())
        std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
}

int main(int argc, char** argv) {
    files::FailWritesPastTheSizeLimit();
    // SDL would turn Ctrl+C and kill into a quit event that the batch commands never read,
    // leaving a long campaign run unstoppable; keep the signals' usual meaning instead.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
    UseCreatureTable();
    if (argc < 2) {
        PrintUsage();
        return tool::Usage;
    }
    for (const auto& command : tool::Commands()) {
        if (std::strcmp(command.name, argv[1]) == 0) {
            std::vector<std::string> args(argv + 2, argv + argc);
            return command.run(args);
        }
    }
    std::fprintf(stderr, "unknown command: %s\n", argv[1]);
    PrintUsage();
    return tool::Usage;
}
