#pragma once
// The vertical life of the hero: spikes on entering a cell, the jump power's recharge, the
// jump itself, gravity and landing. Run in this order at the start of the hero step, after
// inlevel.herostate.cell has been taken.

// Spikes hurt once per cell entered; standing recharges the jump power by 8.
void SpikesAndRecharge();
// A jump when the control is held and the hero stands.
void Jump(bool jumpHeld);
// Gravity, and the landing of a hero who was in the air when the frame began.
void GravityAndLanding();
