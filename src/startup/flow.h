#pragma once
// The flow of screens from the main menu into a level and back, and Quit.
#include "campaign/savefiles.h"
#include "startup/form1.h"

// Enters the main menu and runs it until the player quits (or the window is closed); then
// writes the players, the high scores, the changed fastest times and "setup.xml", and tells
// the player in a message box of every file that could not be written.
void RunMainMenu(TForm1& form);

// The files Quit writes, in their order (see SaveCampaign: the records only once the players
// are written); the files that could not be written.
tsavereport SaveEverything(const tservices& services);
