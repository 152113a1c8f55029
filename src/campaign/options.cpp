#include "campaign/screens.h"

void OptionsScreen(tservices&) {}
