// A level's times file, fed as its document (scrambled here).
#include "campaign/leveltimes.h"
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tscore times[FastestTimePlaces + 1];
    ClearFastestTimes(times);
    ReadTimesFile(fuzz::InputFile(Scramble(fuzz::View(data, size)) + "\r\n"), times);
    return 0;
}
