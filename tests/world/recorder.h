#pragma once
// A world output that remembers what the world asked to play and draw.
#include "world/worldoutput.h"

#include <string>
#include <vector>

struct trecorder : tworldoutput {
    std::vector<int32_t> effects;
    std::vector<std::string> music;
    std::vector<int32_t> drawn;

    trecorder() { UseWorldOutput(this); }
    ~trecorder() override { UseWorldOutput(nullptr); }
    void PlayEffect(int32_t effect, float) override { effects.push_back(effect); }
    void PlayMusic(const std::string& file, float) override { music.push_back(file); }
    void DrawModel(int32_t model, float, float, float, float, float, float, float) override {
        drawn.push_back(model);
    }
};
