#pragma once
// The level seen from above, for people reviewing levels: every tile kind, item, creature
// and link, the start, and the route the completability check found.
#include "levelcheck.h"
#include "levelmodel.h"
#include "picture.h"

namespace levelkit {

// One cell is cellSize pixels square; the map's top line is drawn at the top.
Picture DrawLevel(const LevelSource& level, const CheckResult& check, int cellSize);

} // namespace levelkit
