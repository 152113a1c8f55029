#pragma once
// Loading the game's models, pictures and sound effects into the game window's stores, in
// the one load order every later index relies on (render/assetorder.h). Start-up loads the
// group before the intro, then the models, then the rest; a failure stops the start with
// "Initialization error " and the error context of the last marked step.
#include "render/assetorder.h"
#include "render/services.h"

#include <functional>
#include <string>

inline constexpr const char* InitializationErrorText = "Initialization error ";

struct tassetloading {
    // Names the last step marked in the load order; empty before the first mark. It lives
    // across the groups, as a failure reports whatever mark was passed last.
    std::string context;
    // Shows the loading picture; called before each row marked for it. May be empty.
    std::function<void()> waitPicture;
    // Called after each row: the window is served between the slow loads. May be empty.
    std::function<void()> keepAlive;
};

// Loads every row of the group: models into the model store on the window's device,
// pictures into its sprite batch, effects into its sound object. False at the first file
// that is missing or cannot be loaded (or an index that would not be the one the game
// uses); the rest of the group is then not loaded.
bool LoadAssetGroup(tservices& services, AssetGroup group, tassetloading& loading);

// Every group in load order, for a start without the intro between them; false at the first
// group that fails.
bool LoadAllAssets(tservices& services, tassetloading& loading);

// The message box text of a failed load.
std::string InitializationError(const tassetloading& loading);
