#pragma once
// The traps' arrows and stones. The Add operations create them with their direction and
// model; their flight, rolling and drawing come with the game loop, and until then they
// keep the base behaviour.
#include "creatures/creature.h"

class tarrow : public tcreature {
  public:
    tarrow(int32_t direction, float column, float row) : tcreature(direction, column, row) {}
};

class tstone : public tcreature {
  public:
    tstone(int32_t direction, float column, float row) : tcreature(direction, column, row) {}
};
