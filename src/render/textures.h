#pragma once
// The texture cache: every picture file is decoded once and shared by all sprites and
// models that name it. Names are compared exactly, letter case included, so two spellings of
// one file load it twice.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gpu/device.h"
#include "platform/message.h"

struct ttexture {
    gpu::TexturePtr texture; // empty when the picture could not be made
    std::string name;
};

class ttextures {
  public:
    // The device pictures are made on (SetModelDevice sets it for models and textures alike).
    void SetDevice(gpu::Device* device) { device_ = device; }
    gpu::Device* Device() const { return device_; }

    // The cached texture of exactly this file name, made on first request. A failure is
    // reported in two message boxes ("Create texture: <name> failed!", then the error digit)
    // and remembered: the entry stays empty and the file is not tried again.
    gpu::TexturePtr GetTexture(std::string_view name);

    const std::vector<ttexture>& Entries() const { return entries_; }
    // Forgets every picture (tests; the game keeps them to the end).
    void Clear() { entries_.clear(); }

  private:
    gpu::Device* device_ = nullptr;
    std::vector<ttexture> entries_;
};

// The one texture cache of the program.
ttextures& Textures();
inline gpu::TexturePtr GetTexture(std::string_view name) {
    return Textures().GetTexture(name);
}
