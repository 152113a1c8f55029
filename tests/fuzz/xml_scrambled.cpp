// The document reader on one scrambled line: players, high scores and times files.
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        LoadScrambledDocument(fuzz::InputFile(fuzz::View(data, size)));
    } catch (const XmlError&) {
    }
    return 0;
}
