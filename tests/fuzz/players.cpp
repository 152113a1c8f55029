// The players file. The input is the document itself, scrambled here, so that mutations
// land on elements rather than on shifted bytes; what loads must save and load unchanged.
#include "campaign/players.h"
#include "engine/xmlparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CreateDefaultPlayers();
    HighestLevelPassed = 0;
    const std::string file = Scramble(fuzz::View(data, size)) + "\r\n";
    if (!LoadPlayersFrom(fuzz::InputFile(file), false)) return 0;
    const std::string document = PlayersDocument();
    fuzz::Require(LoadPlayersFrom(fuzz::InputFile(Scramble(document) + "\r\n"), false),
                  "saved players load");
    fuzz::Require(PlayersDocument() == document, "players survive a save and a load");
    return 0;
}
