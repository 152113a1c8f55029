#include "world/levels.h"

std::vector<tlvl> levels;
