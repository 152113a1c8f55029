#include "campaign/screens.h"

int32_t ShopRow = 6;

bool Shop(tservices&) {
    return false;
}
void DrawStatusPanel(tservices&, int32_t, int32_t, uint32_t) {}
