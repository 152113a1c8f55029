#pragma once
// The autopilot's hands: an input source that asks for the keys to hold at every poll and
// writes down what it held, so the same run can be played again from a key script.
#include "engine/scriptedinput.h"
#include "platform/inputsource.h"

#include <functional>
#include <string>
#include <vector>

namespace autopilot {

// Steps in the key-script form that ParseInputScript reads.
std::string ScriptText(const std::vector<InputStep>& steps);

class tpilotinput final : public input::InputSource {
  public:
    // decide is asked once per poll for the key codes to hold. Without record the steps are
    // not kept: a run of many levels that writes its own script per level would otherwise
    // pile up every level's steps.
    explicit tpilotinput(std::function<std::vector<int>()> decide, bool record = true)
        : decide_(std::move(decide)), record_(record) {}

    void Pump() override;
    bool TakePadsChanged() override { return false; }
    std::vector<input::PadDescription> EnumeratePads() override { return {}; }
    bool ReadPad(int, input::PadReading&) override { return false; }
    bool ReadKeyboard(input::KeyState& keys) override;

    // Polls so far.
    long Polls() const { return polls_; }
    // What was held, in the key-script form: one step wherever the held keys changed.
    const std::vector<InputStep>& Steps() const { return steps_; }
    std::string ScriptText() const { return autopilot::ScriptText(steps_); }

  private:
    std::function<std::vector<int>()> decide_;
    std::vector<int> held_;
    bool record_;
    std::vector<InputStep> steps_;
    long polls_ = 0;
};

} // namespace autopilot
