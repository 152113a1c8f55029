#include "campaign/screens.h"

int32_t OptionsRow = 0;

void OptionsScreen(tservices&) {}
