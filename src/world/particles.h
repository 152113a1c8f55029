#pragma once
// The per-frame life of particles and bullets, and the drawing of particles.
// Particles that leave the grid are removed; the grid is never read outside 0..49.

// Gravity, walls (shells bounce off them, anything else stops), floors, shell sounds.
void UpdateEffects();
// Bullets fly at 1.5 walking steps a frame; walls stop them, breakable walls break.
void UpdateBullets();
// Every particle over a seen cell, with its model, scale and angles.
void DrawEffects();
