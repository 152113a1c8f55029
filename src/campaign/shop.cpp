#include "campaign/screens.h"

bool Shop(tservices&) {
    return false;
}
void DrawStatusPanel(tservices&, int32_t, int32_t, uint32_t) {}
