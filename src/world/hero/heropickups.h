#pragma once
// Picking up what lies on the hero's cell (frame step 8): treasures, the seven potions. A
// picked item flies up as a particle; decorations stay where they are.
void PickUps();

// The kill-all potion: every zombie, warrior and ghost on a cell the hero has seen dies.
void KillAllSeenMonsters();
