#include "world/creaturelist.h"

#include "world/creaturebase.h"
#include "world/tables.h"
#include "world/worldops.h"

void UpdateCreatures() {
    for (size_t i = creatures.size(); i-- > 0;)
        if (!creatures[i]->Update()) RemoveCreature(i);
}

void DrawCreatures(TDGraphics& graphics) {
    for (const auto& creature : creatures) creature->Draw(graphics);
}
