// One simulation step of the game loop. The order of the steps is the game's rhythm: the
// hero moves before he looks around, creatures act on what he picked up, and the drawing
// shows the state after everything has moved.
#include "world/loop/gameloop.h"

#include "engine/settings.h"
#include "platform/files.h"
#include "render/assetorder.h"
#include "world/creaturelist.h"
#include "world/guns/guns.h"
#include "world/hero/hero.h"
#include "world/particles.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/tiles/tilesupdate.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <array>
#include <cmath>
#include <iterator>
#include <string>

namespace {

void CountDownPotions() {
    for (int32_t* timer : {&inlevel.SpeedTimer, &inlevel.BlessingTimer, &inlevel.InvincibilityTimer,
                           &inlevel.InvisibilityTimer})
        if (*timer > 0) --*timer;
}

// The function keys and the guide toggle of step 10 (the change-gun key is the guns').
void LoopKeys(tservices& services) {
    const TDInput& input = *services.input;
    if (input.IsKeyDown(KeyZoomIn) && settings.CameraZoom > 0) --settings.CameraZoom;
    if (input.IsKeyDown(KeyZoomOut) && settings.CameraZoom < 100) ++settings.CameraZoom;
    if (input.IsKeyDown(KeyScreenshot)) SaveScreenshot(services);

    const bool guideHeld =
        input.IsKeyDown(settings.KeyGuide) || input.IsPadControlOn(settings.PadGuide);
    if (guideHeld && !inlevel.loopstate.guideLatch) inlevel.GuideOn = !inlevel.GuideOn;
    inlevel.loopstate.guideLatch = guideHeld;
}

} // namespace

namespace {

// One ray of the sweep: a cell's step along the column and the row axes.
struct tray {
    double dc, dr;
};
using trays = std::array<tray, 361>;

// The sweep's rays for each facing, worked out once: the same cosines and sines every step
// cost more than the rest of the step.
const trays& RaysFacing(int32_t facing) {
    static const std::array<trays, std::size(Directions)> rays = [] {
        std::array<trays, std::size(Directions)> all{};
        for (size_t d = 0; d < all.size(); ++d)
            for (int32_t i = -180; i <= 180; ++i) {
                const double angle =
                    (i + double{Directions[d].degrees}) * 3.14159265358979323846 / 180.0;
                all[d][static_cast<size_t>(i + 180)] = {std::cos(angle), std::sin(angle)};
            }
        return all;
    }();
    return rays[static_cast<size_t>(&Direction(facing) - Directions)];
}

} // namespace

void VisionSweep() {
    for (const tray& ray : RaysFacing(inlevel.Facing))
        for (int32_t j = 0; j <= SightCells; ++j) {
            const int32_t column = CellOf(static_cast<float>(hero.column + j * ray.dc));
            const int32_t row = CellOf(static_cast<float>(hero.row + j * ray.dr));
            if (!MarkSeen(column, row)) break;
        }
}

void SaveScreenshot(tservices& services) {
    // Players rarely make the folder themselves; a screenshot should not need them to.
    const std::string folder = files::HomePath("screenshots");
    if (!files::Exists(folder)) files::MakeFolder(folder);
    services.graphics->SaveScreenshot(folder + "\\pic" + std::to_string(inlevel.ScreenshotNumber) +
                                      ".bmp");
    ++inlevel.ScreenshotNumber;
    // Writing the file takes time the simulation must not catch up on.
    services.timer->Restart();
}

bool PlayFrame(tservices& services) {
    CountDownPotions();               // 1
    ++inlevel.loopstate.frameCounter; // 2
    UpdateTiles(inlevel.loopstate.frameCounter);
    TDInput& input = *services.input;
    input.Poll();      // 3
    HeroStep(input);   // 4
    HeroCellEffects(); // 5
    VisionSweep();     // 6
    HeroTakeFacing();  // 7
    PickUps();         // 8
    UpdateCreatures(); // 9
    ChangeGun(input);  // 10
    LoopKeys(services);
    FireGun(input);  // 11
    UpdateBullets(); // 12
    UpdateEffects();
    RecoilAndCooldown(); // 13
    bool drawn = false;
    if (services.displayHz > 0) // 14
        drawn = DrawBetweenSteps(services);
    else
        DrawUnlessBehind(services, [&] {
            drawn = true;
            DrawFrame(services);
            if (services.afterDraw) services.afterDraw();
            PauseIfAsked(services);
        });
    // A replay must leave the same steps undrawn: the reload runs only in drawn ones.
    if (!drawn) inlevel.loopstate.undrawn.push_back(inlevel.loopstate.frames);
    if (hero.height < FallenHeight) Player().Energy = 0; // 15
    if (Player().Energy < 1) {                           // 16
        if (inlevel.DeathFade == 0) WorldOutput().PlayEffect(sfx::Auts, EffectLevel());
        inlevel.DeathFade += 2;
    }
    if (inlevel.ExitFade > 0) inlevel.ExitFade += 2; // 17

    ++inlevel.loopstate.frames;
    // Kept with the run, so the ghost of a best run costs nothing to work out again.
    inlevel.loopstate.heroPath.push_back({hero.column, hero.height, hero.row, inlevel.Facing});
    if (services.afterFrame && !services.afterFrame()) {
        inlevel.loopstate.stopped = true;
        return false;
    }
    return !input.IsKeyDown(KeyEscape) && !services.Closing() && inlevel.DeathFade < FadeEnd &&
           inlevel.ExitFade < FadeEnd; // 18
}
