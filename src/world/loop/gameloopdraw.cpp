// Drawing one frame of play, the pause, and the wait for the next tick.
#include "world/loop/gameloop.h"

#include "engine/settings.h"
#include "platform/clock.h"
#include "render/screenlayout.h"
#include "world/creaturelist.h"
#include "world/draw/overlay.h"
#include "world/draw/worlddraw.h"
#include "world/guns/guns.h"
#include "world/hero/herodraw.h"
#include "world/particles.h"
#include "world/tables.h"

#include <cmath>

namespace {

// Point light 1 is the muzzle flash's.
constexpr int MuzzleLightIndex = 1;

void MeasureFrameRate(tdtimer& timer) {
    const float seconds = timer.SecondsSinceLast();
    inlevel.loopstate.frameRate =
        seconds > 0.0f ? static_cast<int32_t>(std::lround(1.0f / seconds)) : 0;
}

// Does the hero stand on his cell's floor or above it (not sinking into a pit)?
bool HeroAboveFloor() {
    const ttile* cell = TileAt(CellOf(hero.column), CellOf(hero.row));
    return cell && hero.height >= cell->floor;
}

} // namespace

float CameraHeight(int32_t zoom, int32_t exitFade) {
    const float k = static_cast<float>(zoom) / 200.0f + 1.0f;
    return 9.0f * k + static_cast<float>(exitFade) / 20.0f;
}

float CameraBack(int32_t zoom, int32_t exitFade) {
    const float k = static_cast<float>(zoom) / 200.0f + 1.0f;
    return 3.0f * k + static_cast<float>(exitFade) / 20.0f;
}

tcamera PlayCamera() {
    return {hero.column,
            CameraHeight(settings.CameraZoom, inlevel.ExitFade),
            hero.row - CameraBack(settings.CameraZoom, inlevel.ExitFade),
            hero.column,
            0.0f,
            hero.row};
}

tsteplook TakeStepLook() {
    tsteplook look;
    look.muzzleLight = TakeMuzzleLight(); // 5
    ReloadCountdown();                    // 6
    EjectNextShell();                     // 7
    look.startPicture = AdvanceIntroSlide();
    return look;
}

tdrawnpicture drawnpicture;

void DrawFrame(tservices& services) {
    const tsteplook look = TakeStepLook();
    drawnpicture.alpha = 0.0f; // the step as it stands
    DrawPicture(services, look, PlayCamera());
}

void DrawPicture(tservices& services, const tsteplook& look, const tcamera& camera) {
    TDGraphics& graphics = *services.graphics;
    MeasureFrameRate(*services.timer);
    // A window that lost the keyboard (or a pad pulled out) pauses the game as P does; the
    // frame that says so is shown first.
    if (services.input->TakeFocusLost()) inlevel.loopstate.focusPause = true;
    drawnpicture.drawn += 1;
    drawnpicture.frame = inlevel.loopstate.frames;
    drawnpicture.hero = {hero.column, hero.height, hero.row};
    drawnpicture.camera = {camera.eyeX, camera.eyeY, camera.eyeZ};

    graphics.Clear(0, 0, 0); // 1
    graphics.BeginFrame(inlevel.loaded.mainlight.I, inlevel.loaded.filllight.I);
    graphics.SetCamera(camera.eyeX, camera.eyeY, camera.eyeZ, camera.atX, camera.atY, camera.atZ,
                       PlayNear, PlayFar);                         // 2
    RestoreLevelLights(graphics);                                  // 3
    DrawBullets();                                                 // 4
    SetMuzzleLight(graphics, look.muzzleLight);                    // 5
    DrawMuzzleFlame(graphics);                                     // 7
    DrawWorld(graphics, SeenMark, inlevel.loopstate.frameCounter); // 8
    if (HeroAboveFloor()) DrawHeroShadow(graphics);                // 9
    DrawEffects();                                                 // 10
    DrawCreatures(graphics);                                       // 11
    DrawHero(graphics);                                            // 12
    DrawGhostHero(graphics);
    if (gpu::Device* device = graphics.Device()) { // 13
        BlendOff(*device);
        StageOneOff(*device);
    }
    DrawOverlayPicture(*services.sprites, *services.input, TextureFolder, look.startPicture); // 14
    graphics.DisableLight(MuzzleLightIndex);
    if (services.input->IsKeyDown(KeyPause) || inlevel.loopstate.focusPause)
        DrawPauseLine(*services.sprites);
    graphics.EndFrame();
}

void PauseIfAsked(tservices& services) {
    TDInput& input = *services.input;
    if (!input.IsKeyDown(KeyPause) && !inlevel.loopstate.focusPause) return;
    // A replay leaves out the polls of a pause the player did not ask for: playing it back,
    // the window keeps its focus and nothing pauses.
    inlevel.loopstate.inFocusPause = !input.IsKeyDown(KeyPause);
    inlevel.loopstate.focusPause = false;
    input.WaitKeyReleased(KeyPause);
    // A script that has run out can never press the key again: the pause ends with it, and
    // so it does when the window is closed.
    while (!input.IsKeyDown(KeyPause) && !(services.inputEnded && services.inputEnded()) &&
           !services.Closing()) {
        if (services.waitForTick)
            services.waitForTick(); // spare the processor between polls
        else
            sysclock::SleepMilliseconds(10);
        input.Poll();
    }
    input.WaitKeyReleased(KeyPause);
    inlevel.loopstate.inFocusPause = false;
    // The paused time is not caught up afterwards.
    services.timer->Restart();
}
