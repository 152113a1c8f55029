#pragma once
// The world's output on the real engine services: effects and music through the game
// window's sound object, models through the model store. The game window makes one when
// its services exist and hands it to UseWorldOutput.
#include "engine/soundfx.h"
#include "render/object3d.h"
#include "world/worldoutput.h"

class tengineoutput : public tworldoutput {
  public:
    explicit tengineoutput(taudiere& audio) : audio_(audio) {}

    void PlayEffect(int32_t effect, float volume) override { audio_.PlayEffect(effect, volume); }
    void PlayMusic(const std::string& file, float volume) override {
        audio_.PlayMusic(file, volume);
    }
    void DrawModel(int32_t model, float x, float y, float z, float rx, float ry, float rz,
                   float scale) override {
        Models().DrawModel(model, false, x, y, z, rx, ry, rz, scale);
    }

  private:
    taudiere& audio_;
};
