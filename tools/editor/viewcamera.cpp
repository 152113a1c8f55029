#include "viewcamera.h"

#include "world/creaturelist.h"
#include "world/draw/worlddraw.h"
#include "world/hero/herodraw.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

#include <algorithm>
#include <cmath>

namespace editor {
namespace {

// Inside the game's near and far planes (5 and 25) the ground around the point stays in view.
constexpr float NearestEye = 6.0f, FarthestEye = 18.0f;
constexpr float LowestPitch = 0.15f, HighestPitch = 1.55f;

struct Spherical {
    float distance, yaw, pitch;
};

Spherical OffsetOf(const ViewCamera& c) {
    const float dx = c.eye[0] - c.at[0], dy = c.eye[1] - c.at[1], dz = c.eye[2] - c.at[2];
    const float distance = std::max(std::sqrt(dx * dx + dy * dy + dz * dz), 0.001f);
    return {distance, std::atan2(dx, dz), std::asin(std::clamp(dy / distance, -1.0f, 1.0f))};
}

void PlaceEye(ViewCamera& c, const Spherical& s) {
    c.eye[0] = c.at[0] + s.distance * std::cos(s.pitch) * std::sin(s.yaw);
    c.eye[1] = c.at[1] + s.distance * std::sin(s.pitch);
    c.eye[2] = c.at[2] + s.distance * std::cos(s.pitch) * std::cos(s.yaw);
}

} // namespace

ViewCamera HeroView() {
    const tcamera play = PlayCamera();
    ViewCamera camera;
    camera.eye[0] = play.eyeX, camera.eye[1] = play.eyeY, camera.eye[2] = play.eyeZ;
    camera.at[0] = play.atX, camera.at[1] = play.atY, camera.at[2] = play.atZ;
    return camera;
}

void Orbit(ViewCamera& camera, float yaw, float pitch) {
    Spherical s = OffsetOf(camera);
    s.yaw += yaw;
    s.pitch = std::clamp(s.pitch + pitch, LowestPitch, HighestPitch);
    PlaceEye(camera, s);
}

void Pan(ViewCamera& camera, float right, float ahead) {
    const Spherical s = OffsetOf(camera);
    // Ahead is from the eye toward the point, along the ground.
    const float aheadX = -std::sin(s.yaw), aheadZ = -std::cos(s.yaw);
    const float moveX = right * aheadZ + ahead * aheadX, moveZ = -right * aheadX + ahead * aheadZ;
    const float last = static_cast<float>(GridSize - 1);
    const float atX = std::clamp(camera.at[0] + moveX, 0.0f, last);
    const float atZ = std::clamp(camera.at[2] + moveZ, 0.0f, last);
    camera.eye[0] += atX - camera.at[0];
    camera.eye[2] += atZ - camera.at[2];
    camera.at[0] = atX;
    camera.at[2] = atZ;
}

void Zoom(ViewCamera& camera, float factor) {
    Spherical s = OffsetOf(camera);
    s.distance = std::clamp(s.distance * factor, NearestEye, FarthestEye);
    PlaceEye(camera, s);
}

void DrawScene(TDGraphics& graphics, const ViewCamera& camera) {
    graphics.Clear(0, 0, 0);
    graphics.BeginFrame(inlevel.loaded.mainlight.I, inlevel.loaded.filllight.I);
    graphics.SetCamera(camera.eye[0], camera.eye[1], camera.eye[2], camera.at[0], camera.at[1],
                       camera.at[2], PlayNear, PlayFar);
    RestoreLevelLights(graphics);
    // The game draws the cells around the hero; here, around the point looked at.
    const float heroColumn = hero.column, heroRow = hero.row;
    hero.column = camera.at[0];
    hero.row = camera.at[2];
    DrawWorld(graphics, SeenMark, 0);
    hero.column = heroColumn;
    hero.row = heroRow;
    DrawHeroShadow(graphics);
    DrawCreatures(graphics);
    DrawHero(graphics);
    if (gpu::Device* device = graphics.Device()) {
        BlendOff(*device);
        StageOneOff(*device);
        device->EndScene();
    }
}

} // namespace editor
