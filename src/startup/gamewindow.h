#pragma once
// The one game window of the program, made and destroyed through start-up's window hooks.
#include "startup/form1.h"

// Empty until CreateGameWindow has run, and again after DestroyGameWindow.
extern TForm1* Form1;

// Makes the game window under the application's title and runs its create event.
bool CreateGameWindow();
// Runs the destroy event (the services go in their order), then frees the window.
void DestroyGameWindow();

// Without the setup dialog: the choice saved in "setup.xml" (or the defaults) is taken as
// the dialog would hand it over, and the game starts at once: full screen unless the saved
// mode is a window's or `forceWindow` asks for one. False when the start failed.
bool StartGameWithSavedChoice(bool forceWindow = false);
// The same choice, then one level file played with a test player (TForm1::PlayLevelFile).
int32_t PlayLevelWithSavedChoice(const std::string& path, int slot, bool forceWindow = false);

// Points every message box of the program (start-up, input, texture cache) at the
// platform's real box, with the application's title as its caption.
void UseDesktopMessageBoxes();
