#pragma once
// The creature base (declared with the world's list that holds creatures) and the blob, an
// invisible blocker.
#include "world/creaturebase.h"

// An invisible obstacle: never moves, never clears its mark, never leaves the list. An
// arrow or stone crossing its cell wipes the mark, and then it no longer acts.
class tblob : public tcreature {
  public:
    tblob(float column, float row) : tcreature(1, column, row) {}
    void Draw(TDGraphics&) override {}
};
