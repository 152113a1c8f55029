// The document reader on a plain file (line breaks anywhere are dropped): "setup.xml".
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        LoadPlainDocument(fuzz::InputFile(fuzz::View(data, size)));
    } catch (const XmlError&) {
    }
    return 0;
}
