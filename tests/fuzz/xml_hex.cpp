// The document reader on the older hexadecimal form of the players and high-score files.
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        LoadHexDocument(fuzz::InputFile(fuzz::View(data, size)));
    } catch (const XmlError&) {
    }
    return 0;
}
