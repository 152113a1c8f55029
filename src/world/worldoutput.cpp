#include "world/worldoutput.h"

#include "engine/settings.h"

namespace {
tworldoutput silent;
tworldoutput* current = &silent;
} // namespace

tworldoutput& WorldOutput() {
    return *current;
}
void UseWorldOutput(tworldoutput* output) {
    current = output ? output : &silent;
}

float EffectLevel() {
    return static_cast<float>(settings.EffectVolume) / 100.0f;
}
float MusicLevel() {
    return static_cast<float>(settings.MusicVolume) / 100.0f;
}
