#include "pilotinput.h"

#include <algorithm>

namespace autopilot {

void tpilotinput::Pump() {
    std::vector<int> codes = decide_ ? decide_() : std::vector<int>{};
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    // A script holds nothing before its first step, so an empty start needs no line.
    const bool changed = steps_.empty() ? !codes.empty() : codes != steps_.back().codes;
    if (record_ && changed) steps_.push_back({polls_, codes});
    held_ = std::move(codes);
    ++polls_;
}

bool tpilotinput::ReadKeyboard(input::KeyState& keys) {
    keys.fill(0);
    for (int code : held_)
        if (code >= 1 && code < input::KeyStateSize)
            keys[static_cast<size_t>(code)] = input::KeyDownBit;
    return true;
}

std::string ScriptText(const std::vector<InputStep>& steps) {
    std::string text;
    for (const InputStep& step : steps) {
        text += std::to_string(step.frame) + ":";
        for (int code : step.codes) text += " " + std::to_string(code);
        text += "\n";
    }
    return text;
}

} // namespace autopilot
