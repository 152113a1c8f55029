// The world makes creatures from the creatures' table: test programs that link this start
// with it handed over, as the game's start-up does.
#include "creatures/creaturetable.h"

namespace {
const bool registered = (UseCreatureTable(), true);
} // namespace
