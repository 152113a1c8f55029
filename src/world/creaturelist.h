#pragma once
// The game loop's two passes over the creature list.
class TDGraphics;

// Once per frame: every creature from the last to the first runs its Update; one that
// answers false is taken out of the list. Going backwards lets stones and arrows fired
// after the monsters mark their cells before the monsters look at them.
void UpdateCreatures();
// Once per drawn frame, after the world: every creature from the first to the last.
void DrawCreatures(TDGraphics& graphics);
