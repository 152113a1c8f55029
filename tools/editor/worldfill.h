#pragma once
// The game's world tables filled from the level being edited, so the game's own drawing can
// show it. Everything about how the world is made from a level lives in this one function.
#include "levelmodel.h"

#include <string>

namespace editor {

// Clears the world and fills it from the level as the game would at the start of an attempt,
// with every cell marked seen (the editor shows the whole level). False with the reason when
// the level does not load; the world is then left empty.
bool FillWorld(const levelkit::LevelSource& level, std::string& error);

} // namespace editor
