// The start of every attempt: the world rebuilt from the level document, the player's
// score put back to what it was when the level was entered.
#include "world/loop/gameloop.h"

#include "render/assetorder.h"
#include "world/draw/inbetween.h"
#include "world/draw/overlay.h"
#include "world/hero/hero.h"
#include "world/level/levelloader.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

bool StartAttempt(tservices& services) {
    // Potion timers, Facing 1, treasure bonus, result counters, the hero step's attempt
    // values, the start picture's slide.
    ResetAttempt();
    Player().Jump = 100;
    for (int32_t gun = 1; gun <= GunCount; ++gun) Reload(gun);

    ClearWorld();
    if (!inlevel.loopstate.level || !LoadLevel(*inlevel.loopstate.level)) return false;

    services.timer->SetFramesPerSecond(FramesPerSecond);
    services.timer->Restart();
    inbetween.SnapNext(); // the level is drawn from its start, not slid to from the last death
    WorldOutput().PlayEffect(sfx::Test, EffectLevel());
    Player().Score = inlevel.loopstate.startScore;
    return true;
}
