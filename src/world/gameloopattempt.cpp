// The start of every attempt: the world rebuilt from the level document, the player's
// score put back to what it was when the level was entered.
#include "world/gameloop.h"

#include "render/assetorder.h"
#include "world/hero.h"
#include "world/levelloader.h"
#include "world/overlay.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

bool StartAttempt(TForm1& form) {
    StartIntroSlide();
    ResetAttempt(); // potion timers, Facing 1, treasure bonus, result counters
    Player().Jump = 100;
    for (int32_t gun = 1; gun <= GunCount; ++gun) Reload(gun);

    ClearWorld();
    if (!LoadLevel()) {
        // A level file that cannot be played (a damaged user level, say) is refused as if
        // the player had stepped back: his lives, money and guns stay as they were, since
        // they are saved at Quit and a bad file must never cost a player his progress.
        // The outcome is said outright: one left from the level before (a completion, say)
        // would otherwise be paid out for this one.
        LevelOutcome = 0;
        return false;
    }

    form.timer->SetFramesPerSecond(FramesPerSecond);
    form.timer->Restart();
    HeroStartAttempt(); // teleport scale, pose blend and snapshot, the exit flag
    WorldOutput().PlayEffect(sfx::Test, EffectLevel());
    Player().Score = StartScore;
    return true;
}
