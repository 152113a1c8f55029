// The key-script reader, then a few polls of the scripted input it makes.
#include "engine/scriptedinput.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto steps = ParseInputScript(fuzz::View(data, size), error);
    if (!steps) return 0;
    ScriptedInput script(std::move(*steps));
    input::KeyState keys;
    input::PadReading pad;
    const auto pads = script.EnumeratePads();
    for (int poll = 0; poll < 64 && !script.Finished(); ++poll) {
        script.Pump();
        script.ReadKeyboard(keys);
        for (size_t i = 0; i < pads.size(); ++i) script.ReadPad(static_cast<int>(i), pad);
    }
    return 0;
}
