#pragma once
// Runs a shell command line and collects what it printed, line by line, and its exit code:
// how the tool tests run the built companion.
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

struct tcommandrun {
    int exitCode = -1;
    std::vector<std::string> lines;
};

inline tcommandrun RunCommandLine(const std::string& line) {
    tcommandrun run;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string text; std::getline(lines, text);) run.lines.push_back(text);
    return run;
}
