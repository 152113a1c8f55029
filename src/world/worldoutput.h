#pragma once
// What the world asks of the engine services the game window owns: sound effects, music
// and models drawn in the 3D scene. The window connects an output once the services exist;
// before that (tools, tests) the default output plays and draws nothing, and tests install
// a recorder to see what the world asked for.
#include <cstdint>
#include <string>

class tworldoutput {
  public:
    virtual ~tworldoutput() = default;
    // An effect by its index in the effect list, at a volume 0..1.
    virtual void PlayEffect(int32_t /*effect*/, float /*volume*/) {}
    // Loops a music file; a file already playing keeps playing.
    virtual void PlayMusic(const std::string& /*file*/, float /*volume*/) {}
    // A model of the store at (x, y, z) = (column, height, row), turned by rx, ry, rz radians.
    virtual void DrawModel(int32_t /*model*/, float /*x*/, float /*y*/, float /*z*/, float /*rx*/,
                           float /*ry*/, float /*rz*/, float /*scale*/) {}
};

tworldoutput& WorldOutput();
// nullptr goes back to the silent default.
void UseWorldOutput(tworldoutput* output);

// The settings' volumes as the sound layer takes them: percent / 100.
float EffectLevel();
float MusicLevel();
