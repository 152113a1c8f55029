// The high-score file, fed as its document (scrambled here); a complete load must save and
// load unchanged.
#include "campaign/records.h"
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearRecordTables();
    const std::string file = Scramble(fuzz::View(data, size)) + "\r\n";
    if (!LoadHighScoresFrom(fuzz::InputFile(file), false)) return 0;
    const std::string document = HighScoresDocument();
    fuzz::Require(LoadHighScoresFrom(fuzz::InputFile(Scramble(document) + "\r\n"), false),
                  "saved high scores load");
    fuzz::Require(HighScoresDocument() == document, "high scores survive a save and a load");
    return 0;
}
