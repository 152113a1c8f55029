#include "campaign/screens.h"

int32_t SelectedLevel = 0;

bool ChooseLevel(tservices&) {
    return false;
}
