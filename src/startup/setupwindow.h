#pragma once
// The setup dialog TForm2 on the desktop: the machine's displays, modes and driver limits
// gathered into the dialog's rules, and the window that shows them.
#include "startup/setuprules.h"

#include <string>

// Asks the video system and the GL driver what they offer.
tsetuphardware GatherSetupHardware();

// Shows the dialog until it is closed (false) or "Start the Game" is pressed (true, with
// the choice in result). The dialog's lists must have been made (Create).
bool RunSetupDialog(tsetupdialog& dialog, tsetupresult& result);

// Draws the dialog once into a PNG file, without showing a window.
bool DrawSetupDialogPicture(tsetupdialog& dialog, const std::string& pngFile);
