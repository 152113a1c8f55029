#pragma once
// The 2D sprite batch: numbered rectangles cut from pictures, drawn on the screen in pixels,
// scaled and tinted. A sprite is known by its index, handed out in load order from 0; sprites
// are replaced, never removed.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gpu/device.h"

struct tsprite {
    int32_t left = 0, top = 0, right = 0, bottom = 0; // in the picture's pixels
    int32_t width = 0;                                // right - left
    gpu::TexturePtr texture;                          // may be empty
};

// 0xRRGGBB colour and 0..255 alpha as the device's 0xAARRGGBB.
constexpr gpu::Argb SpriteColour(uint32_t colour, int alpha) {
    return (static_cast<uint32_t>(alpha) << 24) + colour;
}

class td2dsprites {
  public:
    td2dsprites() = default;
    // A batch with no sprites, drawing on this device.
    explicit td2dsprites(gpu::Device* device) : device_(device) {}
    void CreateSprites(gpu::Device* device);

    // Appends a sprite cut from the picture (through the texture cache); returns its index.
    int AddSprite(std::string_view file, int32_t left, int32_t top, int32_t width, int32_t height);
    // Gives an existing sprite a new rectangle and a picture of its own, loaded directly
    // (not shared through the cache). A picture that cannot be loaded leaves the sprite
    // without one, silently. Indices outside the batch are ignored.
    void ReplaceSprite(int index, std::string_view file, int32_t left, int32_t top, int32_t width,
                       int32_t height);
    // One sprite pass each. An index outside the batch draws nothing.
    void DrawSprite(int index, int32_t x, int32_t y, uint32_t colour, int alpha);
    void DrawSpriteScaled(int index, int32_t x, int32_t y, float sx, float sy, uint32_t colour,
                          int alpha);

    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(sprites_.size()); }
    const tsprite& Sprite(int index) const { return sprites_[static_cast<size_t>(index)]; }
    int Count() const { return static_cast<int>(sprites_.size()); }
    gpu::Device* Device() const { return device_; }

  private:
    gpu::Device* device_ = nullptr;
    std::vector<tsprite> sprites_;
};
