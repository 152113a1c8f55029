#pragma once
// The rules of the results screen, apart from its drawing: the short count-up of every
// number on it and the wording of the level's statistics.
#include <cstdint>
#include <string>

// Money for a completed level before its treasures.
inline constexpr int32_t LevelReward = 300;
// The count-up runs one step a frame from 1 to this, then stays.
inline constexpr int32_t CountUpSteps = 10;

// What a completed level paid: the reward and the treasures collected in it.
int32_t RewardFor(int32_t treasureBonus);
// A counted number as it shows at `step`: value x step / 10.
int64_t CountedValue(int64_t value, int32_t step);
// Whether the tick sounds at `step` while the largest counted number is `largest`: the
// ticks stop once every number has reached its end.
bool TicksAt(int32_t step, int64_t largest);

enum class Statistic { Monsters, Potions, Treasures, Rounds };
// "No Monsters Killed", "1 Monster Killed", "7 Monsters Killed" ... for the count shown at
// `step`.
std::string StatisticText(Statistic statistic, int32_t count, int32_t step);
