// Trying out one level file, as the level editor does: the services and every asset as the
// game starts them, no intro and no menus, one level with a test player, and nothing
// written afterwards (no players, records, times or settings).
#include "startup/playlevel.h"

#include "campaign/players.h"
#include "campaign/screens.h"
#include "engine/xmlparser.h"
#include "level/levelform.h"
#include "platform/files.h"
#include "platform/window_desktop.h"
#include "render/screenlayout.h"
#include "startup/assetloading.h"
#include "startup/form1.h"
#include "startup/startup.h"
#include "world/guns/guntables.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/tables.h"

#include <algorithm>

tplayer TestPlayer(int slot) {
    tplayer player;
    if (slot >= 1 && slot <= PlayerSlotCount) {
        player = PlayerProfiles[slot];
        // An empty slot still has to be playable.
        if (player.Lives <= 0) player.Lives = 1;
        if (player.Energy <= 0) player.Energy = 100;
        player.Own[0] = true;
        return player;
    }
    player.Name = "TEST";
    player.Lives = 7;
    player.Energy = 100;
    player.Jump = 100;
    player.Own.fill(true);
    player.AmmoAll.fill(0);
    player.AmmoCurrent.fill(0);
    for (int gun = 1; gun <= GunCount; ++gun) {
        player.AmmoAll[gun] = TestRounds;
        player.AmmoCurrent[gun] = std::min(Guns[gun].MagazineSize, TestRounds);
        player.AmmoAll[gun] -= player.AmmoCurrent[gun];
    }
    player.Gun = 1;
    return player;
}

bool TForm1::StartWithoutMenus() {
    ComputeScreenLayout();
    effects.clear();
    if (!CreateServices()) return false;
    tassetloading loading;
    if (!quietLoading) loading.waitPicture = [this] { WaitPicture(); };
    if (!LoadAllAssets(services, loading)) {
        ShowMessage(InitializationError(loading), MessageIcon::Error);
        return false;
    }
    window::ShowCursor(false);
    services.cursorHidden = true;
    return true;
}

int32_t TForm1::PlayLevelFile(const std::string& path, int slot) {
    std::unique_ptr<tnode> document;
    try {
        if (files::Exists(path)) document = LoadHeaderedDocument(path, LargestLevelFile);
    } catch (const XmlError&) {
    }
    if (!document) {
        ShowMessage("The level " + path + " cannot be read.", MessageIcon::Error);
        return -1;
    }

    if (!StartWithoutMenus()) return -1;

    // A copy: the slot itself is left as it was, and nothing is saved.
    tplayer player = TestPlayer(slot);
    UsePlayerRecord(player);
    StartScore = player.Score;
    const uint32_t t0 = services.TickCount();
    CurrentScreen = "play";
    LevelOutcome = GameLoop(services, *document);
    LevelTime = static_cast<int64_t>(static_cast<uint32_t>(services.TickCount() - t0));
    UsePlayerRecord(CurrentProfile());
    return LevelOutcome;
}
