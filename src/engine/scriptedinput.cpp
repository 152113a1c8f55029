#include "engine/scriptedinput.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int LastPadControl = 48;
constexpr int FirstButtonControl = 17;
constexpr int FirstHatControl = 13;

bool IsKeyCode(int code) {
    return code >= 1 && code < input::KeyStateSize;
}
bool IsPadCode(int code) {
    return code > ScriptPadCodeBase && code <= ScriptPadCodeBase + LastPadControl;
}

// Hat controls held (bit 0 up, 1 right, 2 down, 3 left) -> the hat value that sets them.
constexpr struct {
    unsigned held;
    int32_t angle;
} hatOfControls[] = {
    {0b0001, 0},     {0b0011, 4500},  {0b0010, 9000},  {0b0110, 13500},
    {0b0100, 18000}, {0b1100, 22500}, {0b1000, 27000}, {0b1001, 31500},
};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <typename Number> bool ParseNumber(std::string_view s, Number& value) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

std::optional<std::vector<InputStep>> ParseInputScript(std::string_view text, std::string& error) {
    std::vector<InputStep> steps;
    int lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        auto fail = [&](std::string_view why) {
            error = "line " + std::to_string(lineNumber) + ": " + std::string(why);
            return std::nullopt;
        };

        line = Trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) return fail("expected \"FRAME: CODE ...\"");
        InputStep step;
        if (!ParseNumber(Trimmed(line.substr(0, colon)), step.frame) || step.frame < 0)
            return fail("the frame is not a number of 0 or more");
        if (!steps.empty() && step.frame <= steps.back().frame)
            return fail("frames must rise from line to line");
        std::string_view rest = line.substr(colon + 1);
        while (!(rest = Trimmed(rest)).empty()) {
            size_t space = rest.find_first_of(" \t");
            std::string_view word = rest.substr(0, space);
            rest = space == std::string_view::npos ? std::string_view() : rest.substr(space);
            const bool tap = word.ends_with('*');
            int code = 0;
            if (!ParseNumber(tap ? word.substr(0, word.size() - 1) : word, code) ||
                !(IsKeyCode(code) || IsPadCode(code)))
                return fail("\"" + std::string(word) + "\" is neither a key code 1..255 nor " +
                            "1000 + a pad control 1..48");
            if (tap && IsPadCode(code) && code - ScriptPadCodeBase < FirstHatControl)
                return fail("\"" + std::string(word) + "\": an axis cannot be tapped");
            (tap ? step.taps : step.codes).push_back(code);
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

ScriptedInput::ScriptedInput(std::vector<InputStep> timeline, int pads)
    : timeline_(std::move(timeline)), pads_(pads) {
    std::stable_sort(timeline_.begin(), timeline_.end(),
                     [](const InputStep& a, const InputStep& b) { return a.frame < b.frame; });
    if (pads_ >= 0) return;
    pads_ = 0;
    for (const InputStep& step : timeline_)
        if (std::any_of(step.codes.begin(), step.codes.end(), IsPadCode) ||
            std::any_of(step.taps.begin(), step.taps.end(), IsPadCode))
            pads_ = 1;
}

bool ScriptedInput::Finished() const {
    return timeline_.empty() || frame_ >= timeline_.back().frame;
}

void ScriptedInput::Pump() {
    ++frame_;
    while (reached_ < timeline_.size() && timeline_[reached_].frame <= frame_) {
        for (int code : timeline_[reached_].taps)
            (IsKeyCode(code) ? keyTaps_ : padTaps_).push_back(code);
        ++reached_;
    }
}

const InputStep* ScriptedInput::Current() const {
    return reached_ == 0 ? nullptr : &timeline_[reached_ - 1];
}

std::vector<input::PadDescription> ScriptedInput::EnumeratePads() {
    input::PadDescription pad;
    pad.name = "Scripted pad";
    pad.hasAxis.fill(true);
    pad.hats = 1;
    pad.buttons = LastPadControl - FirstButtonControl + 1;
    pad.opened = true;
    return std::vector<input::PadDescription>(static_cast<size_t>(pads_), pad);
}

namespace {

// The first pad's reading with the given codes held.
void HoldPadCodes(const std::vector<int>& codes, input::PadReading& reading) {
    unsigned hat = 0;
    for (int code : codes) {
        if (!IsPadCode(code)) continue;
        int control = code - ScriptPadCodeBase;
        if (control >= FirstButtonControl) {
            reading.buttons[control - FirstButtonControl] = 0x80;
        } else if (control >= FirstHatControl) {
            hat |= 1u << (control - FirstHatControl);
        } else {
            // Odd controls are an axis's minus direction, even ones its plus direction.
            int axis = (control - 1) / 2;
            reading.axes[axis] = control % 2 == 1 ? input::AxisMinimum : input::AxisMaximum;
        }
    }
    for (const auto& h : hatOfControls)
        if (h.held == hat) reading.firstHat = h.angle;
}

} // namespace

bool ScriptedInput::ReadPad(int index, input::PadReading& reading) {
    reading = input::PadReading{};
    if (index < 0 || index >= pads_) return false;
    const InputStep* step = Current();
    if (!step || index != 0) return true; // the script holds the first pad's controls
    HoldPadCodes(step->codes, reading);
    return true;
}

bool ScriptedInput::ReadPadPresses(int index, input::PadReading& presses) {
    presses = input::PadReading{};
    if (index != 0 || index >= pads_ || padTaps_.empty()) return false;
    HoldPadCodes(padTaps_, presses);
    padTaps_.clear();
    return true;
}

void ScriptedInput::ReadKeyPresses(input::KeyState& presses) {
    presses.fill(0);
    for (int code : keyTaps_) presses[code] = input::KeyDownBit;
    keyTaps_.clear();
}

bool ScriptedInput::ReadKeyboard(input::KeyState& keys) {
    keys.fill(0);
    if (const InputStep* step = Current())
        for (int code : step->codes)
            if (IsKeyCode(code)) keys[code] = input::KeyDownBit;
    return true;
}
