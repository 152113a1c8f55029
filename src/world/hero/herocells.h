#pragma once
// What the cell under the hero does to him after he has walked: closing-pit mark, crumbling
// floor, exit, conveyor, switch plate, teleport.
void CellEffects();
