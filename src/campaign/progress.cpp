#include "campaign/progress.h"

#include "campaign/levels.h"
#include "campaign/players.h"

#include <algorithm>

namespace {

constexpr int32_t LevelsToOpenNextArea = 6;
constexpr int32_t LastAreaThatOpensAnother = 6;

} // namespace

bool LevelPassed(int levelIndex) {
    if (levelIndex < 0 || static_cast<size_t>(levelIndex) >= levels.size()) return false;
    for (const std::string& id : CurrentProfile().Levels)
        if (id == levels[levelIndex].id) return true;
    return false;
}

int32_t LevelStateOf(int32_t index) {
    if (LevelPassed(index)) return LevelCompleted;
    if (index >= CampaignLevelCount) return LevelOpen;
    // Each area opens once the last level of the one before it has been passed; the first
    // is open even when the stored progress is nonsense.
    const int32_t highest = std::max(HighestLevelPassed, 0);
    const int32_t lastOpen = (highest + 1) / AreaSize * AreaSize + AreaSize - 1;
    return index <= lastOpen ? LevelOpen : LevelLocked;
}

void OpenAreas() {
    for (int32_t area = 0; area <= LastAreaThatOpensAnother; ++area) {
        int32_t passed = 0;
        for (int32_t i = area * AreaSize; i < (area + 1) * AreaSize; ++i)
            if (LevelPassed(i)) ++passed;
        const int32_t last = area * AreaSize + AreaSize - 1;
        if (passed >= LevelsToOpenNextArea && HighestLevelPassed < last) HighestLevelPassed = last;
    }
}

bool CampaignCompleted() {
    for (int32_t i = 0; i < CampaignLevelCount; ++i)
        if (!LevelPassed(i)) return false;
    return true;
}
