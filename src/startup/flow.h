#pragma once
// The flow of screens from the main menu into a level and back, and Quit.
#include "startup/form1.h"

// Enters the main menu and runs it until the player quits (or the window is closed); then
// writes the high scores, the players, the fastest times and "setup.xml".
void RunMainMenu(TForm1& form);

// The four files Quit writes, in their order.
void SaveEverything(const tservices& services);
