#pragma once
// The three monsters. The Add operations of the world create them with their model
// numbers; their own walking, striking and drawing come with the game loop, and until then
// they keep the base behaviour (stand still, draw nothing).
#include "creatures/creature.h"

class tzombie : public tcreature {
  public:
    tzombie(float column, float row) : tcreature(1, column, row) {}
};

class twarrior : public tcreature {
  public:
    twarrior(float column, float row) : tcreature(1, column, row) {}
};

class tghost : public tcreature {
  public:
    int32_t soundwait = 0; // frames until the contact sound may play again
    tghost(float column, float row) : tcreature(1, column, row) {}
};
