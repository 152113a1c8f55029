// GameLoop: the attempts at a level and the end of the level.
#include "world/gameloop.h"

#include "engine/settings.h"
#include "world/guns.h"
#include "world/hero.h"
#include "world/playerrecord.h"
#include "world/tables.h"

tloopstate loopstate;

void TForm1::GameLoop() {
    ResetLevelEntry(); // bullets and the gun timers
    GunsEnterLevel();
    HeroEnterLevel();
    loopstate.guideLatch = false;
    loopstate.frames = 0;
    loopstate.attempt = 0;
    loopstate.stopped = false;

    for (;;) {
        ++loopstate.attempt;
        if (!StartAttempt(*this)) return;

        while (PlayFrame(*this)) {
        }
        if (loopstate.stopped) return;

        const bool escape = input->IsKeyDown(KeyEscape);
        // Dying costs a life, and so does leaving with Escape.
        if (DeathFade >= FadeEnd || escape) --Player().Lives;
        // Died with lives left: the level starts again from its beginning.
        if (!escape && Player().Lives > 0 && ExitFade < FadeEnd) continue;

        if (Player().Lives <= 0)
            LevelOutcome = 1;
        else if (escape)
            LevelOutcome = 0;
        else
            LevelOutcome = 2;
        // The menu after the level must not see the same Escape press.
        input->WaitKeyReleased(KeyEscape);
        return;
    }
}
