#include "worldfill.h"

#include "engine/xmlparser.h"
#include "levelfile.h"
#include "world/level/levelloader.h"
#include "world/tables.h"

#include <exception>

namespace editor {

bool FillWorld(const levelkit::LevelSource& level, std::string& error) {
    // Saved to a document in memory and read back by the game's own loader: the view shows
    // what the game would make of the file.
    std::string bytes;
    ClearWorld();
    if (!levelkit::Compile(level, bytes, error)) return false;
    try {
        const std::unique_ptr<tnode> document = ParseHeaderedDocument(bytes);
        if (!document) return error = "the level does not parse", false;
        if (!LoadLevel(*document, &error)) return false;
    } catch (const std::exception& e) {
        ClearWorld();
        return error = e.what(), false;
    }
    for (auto& column : tiles)
        for (ttile& cell : column) cell.seen = SeenMark;
    return true;
}

} // namespace editor
