// A level document after the reader, into the world tables.
#include "creatures/creaturetable.h"
#include "engine/xmlparser.h"
#include "fuzzinput.h"
#include "world/level/levelloader.h"
#include "world/tables.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UseCreatureTable(); // as the game's start-up does
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto root = ParseDocument(fuzz::View(data, size));
    if (!root) return 0;
    ResetWorldTables();
    ClearWorld();
    std::string why;
    LoadLevel(*root, &why);
    ClearWorld();
    return 0;
}
