#include "campaign/screens.h"

bool ChoosePlayer(tservices&) {
    return false;
}
