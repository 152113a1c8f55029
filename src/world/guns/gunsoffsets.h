#pragma once
// Where a shot leaves the gun and where its shell jumps out, per gun (1..3) and Facing
// (1..8): (column, height, row) added to the hero's position. The guns are modelled
// pointing forward (direction 1); each row is that point turned in 45-degree steps and
// rounded to three decimals, kept as the numbers the models were fitted to. Index 0 of
// both axes is unused.
#include "world/tables.h"

inline constexpr tfloat3 MuzzleOffsets[4][9] = {
    {},
    {{},
     {0.218f, 1.678f, 0.988f},
     {0.853f, 1.678f, 0.545f},
     {0.988f, 1.678f, -0.218f},
     {0.545f, 1.678f, -0.853f},
     {-0.218f, 1.678f, -0.988f},
     {-0.853f, 1.678f, -0.545f},
     {-0.988f, 1.678f, 0.218f},
     {-0.545f, 1.678f, 0.853f}},
    {{},
     {0.218f, 1.427f, 1.224f},
     {1.019f, 1.427f, 0.712f},
     {1.224f, 1.427f, -0.218f},
     {0.712f, 1.427f, -1.019f},
     {-0.218f, 1.427f, -1.224f},
     {-1.019f, 1.427f, -0.712f},
     {-1.224f, 1.427f, 0.218f},
     {-0.712f, 1.427f, 1.019f}},
    {{},
     {0.259f, 1.393f, 1.23f},
     {1.053f, 1.393f, 0.686f},
     {1.23f, 1.393f, -0.259f},
     {0.686f, 1.393f, -1.053f},
     {-0.259f, 1.393f, -1.23f},
     {-1.053f, 1.393f, -0.686f},
     {-1.23f, 1.393f, 0.259f},
     {-0.686f, 1.393f, 1.053f}},
};

// The pistol and the submachine gun throw their shells from the same point.
inline constexpr tfloat3 ShellOffsets[4][9] = {
    {},
    {{},
     {0.218f, 1.54f, 0.751f},
     {0.685f, 1.54f, 0.378f},
     {0.751f, 1.54f, -0.218f},
     {0.378f, 1.54f, -0.685f},
     {-0.218f, 1.54f, -0.751f},
     {-0.685f, 1.54f, -0.378f},
     {-0.751f, 1.54f, 0.218f},
     {-0.378f, 1.54f, 0.685f}},
    {{},
     {0.218f, 1.54f, 0.751f},
     {0.685f, 1.54f, 0.378f},
     {0.751f, 1.54f, -0.218f},
     {0.378f, 1.54f, -0.685f},
     {-0.218f, 1.54f, -0.751f},
     {-0.685f, 1.54f, -0.378f},
     {-0.751f, 1.54f, 0.218f},
     {-0.378f, 1.54f, 0.685f}},
    {{},
     {0.223f, 1.255f, 0.147f},
     {0.262f, 1.255f, -0.054f},
     {0.147f, 1.255f, -0.223f},
     {-0.054f, 1.255f, -0.262f},
     {-0.223f, 1.255f, -0.147f},
     {-0.262f, 1.255f, 0.054f},
     {-0.147f, 1.255f, 0.223f},
     {0.054f, 1.255f, 0.262f}},
};
