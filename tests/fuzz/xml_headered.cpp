// The document reader on a plain header line and a scrambled rest: level files.
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        LoadHeaderedDocument(fuzz::InputFile(fuzz::View(data, size)));
    } catch (const XmlError&) {
    }
    return 0;
}
