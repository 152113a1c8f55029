// GameLoop: the attempts at a level and the end of the level.
#include "world/loop/gameloop.h"

#include "engine/settings.h"
#include "world/draw/inbetween.h"
#include "world/guns/guns.h"
#include "world/hero/hero.h"
#include "world/playerrecord.h"
#include "world/tables.h"

int32_t GameLoop(tservices& services, const tnode& level) {
    inlevel.loopstate.level = &level;
    inlevel.loopstate.startScore = Player().Score;
    // Bullets, the gun timers and state, the hero step's level values, the loop's counters.
    // Only what happens in the level pauses it: the window's focus moving at its creation
    // or in a menu, or a pause left over from the end of the last level, does not.
    ResetLevelEntry();
    inbetween.Reserve();
    services.input->ForgetFocusLoss();

    for (;;) {
        ++inlevel.loopstate.attempt;
        if (!StartAttempt(services)) {
            // A level file that cannot be played (a damaged user level, say) is refused as
            // if the player had stepped back: his lives, money and guns stay as they were,
            // since they are saved and a bad file must never cost a player his progress.
            return OutcomeRetreated;
        }

        while (PlayFrame(services)) {
        }
        if (inlevel.loopstate.stopped) return OutcomeStopped;

        TDInput& input = *services.input;
        // Closing the window leaves the level as Escape does.
        const bool escape = input.IsKeyDown(KeyEscape) || services.Closing();
        // Dying costs a life, and so does leaving with Escape.
        if (inlevel.DeathFade >= FadeEnd || escape) --Player().Lives;
        // Died with lives left: the level starts again from its beginning.
        if (!escape && Player().Lives > 0 && inlevel.ExitFade < FadeEnd) continue;

        // The menu after the level must not see the same Escape press.
        input.WaitKeyReleased(KeyEscape);
        if (Player().Lives <= 0) return OutcomeGameOver;
        return escape ? OutcomeRetreated : OutcomeCompleted;
    }
}
