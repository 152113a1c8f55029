#pragma once
// What every command does at its end: the answer on stdout, or the reason on stderr in one
// line with the exit code that goes with it.
#include "command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

// {"key": value, ...} in the order of the calls; values are JSON text already.
class JsonObject {
  public:
    JsonObject& Add(std::string_view key, std::string_view value) {
        text += text.size() > 1 ? ", \"" : "\"";
        text.append(key);
        text += "\": ";
        text.append(value);
        return *this;
    }
    std::string Text() const { return text + "}"; }

  private:
    std::string text = "{";
};

// [item, ...] of JSON texts.
inline std::string JsonArray(const std::vector<std::string>& items) {
    std::string text = "[";
    for (size_t i = 0; i < items.size(); ++i) text += (i ? ", " : "") + items[i];
    return text + "]";
}

inline void Print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

inline int Refuse(std::string_view reason) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(reason.size()), reason.data());
    return Refused;
}

inline int UsageError(std::string_view usage) {
    std::fprintf(stderr, "usage: tarnhollow-tool %.*s\n", static_cast<int>(usage.size()),
                 usage.data());
    return Usage;
}

// Splits `FILE [--flag VALUE]`: the one positional argument and the flag's value.
// False when the arguments have any other shape.
inline bool FileAndOption(const std::vector<std::string>& args, std::string_view flag,
                          std::string& file, std::optional<std::string>& value) {
    if (args.size() == 1) {
        file = args[0];
        return true;
    }
    if (args.size() == 3 && args[1] == flag) {
        file = args[0];
        value = args[2];
        return true;
    }
    return false;
}

} // namespace tool
