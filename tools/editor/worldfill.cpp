#include "worldfill.h"

#include "level/levelform.h"
#include "levelmodel.h"
#include "world/level/levelloader.h"
#include "world/tables.h"

namespace editor {

bool FillWorld(const levelkit::LevelSource& level, std::string& error) {
    // Read with the game's own rules and filled by the game's own loader: the view shows what
    // the game would make of the file.
    ClearWorld();
    tlevelform form;
    if (!levelkit::FormOf(level, form, &error)) return false;
    ::FillWorld(form);
    for (auto& column : tiles)
        for (ttile& cell : column) cell.seen = SeenMark;
    return true;
}

} // namespace editor
