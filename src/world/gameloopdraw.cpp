// Drawing one frame of play, the pause, and the wait for the next tick.
#include "world/gameloop.h"

#include "creatures/creaturelist.h"
#include "engine/settings.h"
#include "platform/clock.h"
#include "world/guns.h"
#include "world/herodraw.h"
#include "world/levelloader.h"
#include "world/overlay.h"
#include "world/particles.h"
#include "world/tables.h"
#include "world/worlddraw.h"

#include <cmath>

namespace {

// Point light 1 is the muzzle flash's.
constexpr int MuzzleLightIndex = 1;

void MeasureFrameRate(tdtimer& timer) {
    const float seconds = timer.SecondsSinceLast();
    loopstate.frameRate = seconds > 0.0f ? static_cast<int32_t>(std::lround(1.0f / seconds)) : 0;
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

void DrawFrame(TForm1& form) {
    TDGraphics& graphics = *form.graphics;
    MeasureFrameRate(*form.timer);

    graphics.Clear(0, 0, 0); // 1
    graphics.BeginFrame(mainlight.I, filllight.I);
    graphics.SetCamera(hero.column, CameraHeight(settings.CameraZoom, ExitFade), // 2
                       hero.row - CameraBack(settings.CameraZoom, ExitFade), hero.column, 0.0f,
                       hero.row, PlayNear, PlayFar);
    SetLevelLights(graphics);                              // 3
    DrawBullets();                                         // 4
    DrawMuzzleLight(graphics);                             // 5
    ReloadCountdown();                                     // 6
    DrawMuzzleFlash(graphics);                             // 7
    DrawWorld(graphics, SeenMark, loopstate.frameCounter); // 8
    if (HeroAboveFloor()) DrawHeroShadow(graphics);        // 9
    DrawEffects();                                         // 10
    DrawCreatures(graphics);                               // 11
    DrawHero(graphics);                                    // 12
    if (gpu::Device* device = graphics.Device()) {         // 13
        BlendOff(*device);
        StageOneOff(*device);
    }
    DrawOverlay(*form.sprites, *form.input, TextureFolder); // 14
    graphics.DisableLight(MuzzleLightIndex);
    if (form.input->IsKeyDown(KeyPause)) DrawPauseLine(*form.sprites);
    graphics.EndFrame();
}

void PauseIfAsked(TForm1& form) {
    TDInput& input = *form.input;
    if (!input.IsKeyDown(KeyPause)) return;
    input.WaitKeyReleased(KeyPause);
    // A script that has run out can never press the key again: the pause ends with it.
    while (!input.IsKeyDown(KeyPause) && !(form.inputEnded && form.inputEnded())) {
        if (form.waitForTick)
            form.waitForTick(); // spare the processor between polls
        else
            sysclock::SleepMilliseconds(1);
        input.Poll();
    }
    input.WaitKeyReleased(KeyPause);
    // The paused time is not caught up afterwards.
    form.timer->Restart();
}

void WaitForTick(TForm1& form) {
    while (!form.timer->FrameDue()) {
        if (form.waitForTick)
            form.waitForTick();
        else
            sysclock::SleepMilliseconds(1);
    }
}
