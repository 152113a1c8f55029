// The replay reader: any text is refused or read, and a replay read is written back as a
// text that reads to the same replay.
#include "fuzzinput.h"
#include "world/replay/replayform.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto replay = ParseReplay(fuzz::View(data, size), error);
    if (!replay) return 0;
    const std::string text = ReplayText(*replay);
    const auto again = ParseReplay(text, error);
    if (!again || ReplayText(*again) != text) std::abort();
    return 0;
}
