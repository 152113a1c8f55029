#pragma once
// Where the hero stood after a frame, and which way he faced: all a drawn copy of him needs
// (the ghost of a kept run walks a list of these).
#include <cstdint>

struct theroplace {
    float column = 0, height = 0, row = 0;
    int32_t facing = 1;
    bool operator==(const theroplace&) const = default;
};
