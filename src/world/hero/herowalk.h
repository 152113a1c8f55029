#pragma once
// Horizontal movement of the hero: the refusal to walk over an edge, walking with collision
// against walls, creatures and steps, and the clamp to the grid. Cells outside the grid
// count as solid (and as a deep pit for the edge test), which keeps him inside.

// May clear inlevel.herostate.direction: a standing hero does not walk over an edge.
void StopAtEdge();
// Moves the hero one step in inlevel.herostate.direction, nudged or sliding along walls.
void WalkWithCollision();
// Keeps the hero's position in -0.5 .. 49.49 (cells 0..49) and takes his cell anew.
void ClampToGrid();
