#pragma once
// The camera of the editor's 3D view and the scene it shows. The view draws the world tables
// (worldfill.h) with the game's own drawing, so it sees a level as a player would: the
// window of cells around the point looked at, within the game's depth range.
#include "engine/dgraphics.h"

namespace editor {

struct ViewCamera {
    float eye[3] = {25, 9, 22};
    float at[3] = {25, 0, 25};
};

// Where the game's camera stands when the hero starts the level now in the world tables, at
// the player's zoom.
ViewCamera HeroView();

// Turns the eye about the point looked at: `yaw` about the vertical, `pitch` up or down
// (radians). The eye stays between just above the ground and straight overhead.
void Orbit(ViewCamera& camera, float yaw, float pitch);
// Moves eye and point together along the ground: `right` across the view, `ahead` along
// it (cells). The point stays on the map.
void Pan(ViewCamera& camera, float right, float ahead);
// Brings the eye nearer (factor < 1) or farther; the distance stays where the game's depth
// range shows the ground around the point.
void Zoom(ViewCamera& camera, float factor);

// One picture of the world from the camera: the blocks and items around the point looked
// at, the creatures and the hero at his start with his shadow, lit by the level's lights.
// Frames only; the caller presents.
void DrawScene(TDGraphics& graphics, const ViewCamera& camera);

} // namespace editor
