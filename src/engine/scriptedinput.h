#pragma once
// Input from a script instead of a person: a timeline of what is held, frame by frame.
// Each poll of the input object is one frame (the first poll is frame 0). A step holds
// exactly its codes from its frame until the next step; before the first step nothing is
// held. Codes 1..255 are keys; 1000 + n holds pad control n (1..48) of the first scripted
// pad. Unless told how many pads are attached, there is one whenever the script uses a pad
// code at all; with no pad attached pad codes hold nothing.
//
// A code written with a '*' after it is a tap: pressed and let go again between the poll
// before its frame and the poll of its frame, so it is never held, only pressed (pad taps
// work for buttons and hat directions, the controls a quick finger can tap).
//
// Text form, one step a line, frames rising, comments after '#':
//     0: 57          # SPACE
//     35:            # let go of everything
//     40: 1017 200   # pad button 1 and UP ARROW
//     45: 28*        # ENTER tapped
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/inputsource.h"

constexpr int ScriptPadCodeBase = 1000;

struct InputStep {
    long frame = 0;
    std::vector<int> codes; // held from this frame on
    std::vector<int> taps;  // pressed and let go before this frame's poll
};

// Reads the text form; nullopt with a one-line reason (naming the line) when it is malformed.
std::optional<std::vector<InputStep>> ParseInputScript(std::string_view text, std::string& error);

// A source that adds its own work to each poll, or listens elsewhere for Esc and the
// window, derives from this one and calls its Pump.
class ScriptedInput : public input::InputSource {
  public:
    // pads: how many pads are attached; -1 for one exactly when the script uses a pad code.
    explicit ScriptedInput(std::vector<InputStep> timeline, int pads = -1);

    // The frame the last poll showed; -1 before the first.
    long Frame() const { return frame_; }
    // True once the last step has been reached: nothing will change any more.
    bool Finished() const;

    void Pump() override;
    bool TakePadsChanged() override { return false; }
    std::vector<input::PadDescription> EnumeratePads() override;
    bool ReadPad(int index, input::PadReading& reading) override;
    bool ReadKeyboard(input::KeyState& keys) override;
    void ReadKeyPresses(input::KeyState& presses) override;
    bool ReadPadPresses(int index, input::PadReading& presses) override;
    bool Exhausted() const override { return Finished(); }

  private:
    const InputStep* Current() const;

    std::vector<InputStep> timeline_;
    int pads_ = 0;
    long frame_ = -1;
    size_t reached_ = 0; // steps whose frame has come
    // Taps of the steps reached, kept until read as a device keeps its presses.
    std::vector<int> keyTaps_, padTaps_;
};
