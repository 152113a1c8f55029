#pragma once
// tarnhollow-tool commands register themselves here; main() dispatches on the first word.
#include <string>
#include <vector>

namespace tool {

// Exit codes: 0 success, 1 input refused, 2 usage error.
enum ExitCode { Ok = 0, Refused = 1, Usage = 2 };

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args); // args after the command word
};

std::vector<Command>& Commands();

struct Register {
    explicit Register(Command command) { Commands().push_back(command); }
};

} // namespace tool
