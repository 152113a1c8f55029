#include "render/sprites.h"

#include "render/textures.h"

void td2dsprites::CreateSprites(gpu::Device* device) {
    device_ = device;
    sprites_.clear();
}

int td2dsprites::AddSprite(std::string_view file, int32_t left, int32_t top, int32_t width,
                           int32_t height) {
    tsprite sprite{left, top, left + width, top + height, width, GetTexture(file)};
    sprites_.push_back(std::move(sprite));
    return Count() - 1;
}

void td2dsprites::ReplaceSprite(int index, std::string_view file, int32_t left, int32_t top,
                                int32_t width, int32_t height) {
    if (!Valid(index)) return;
    tsprite& sprite = sprites_[static_cast<size_t>(index)];
    sprite.texture.reset();
    sprite = {left, top, left + width, top + height, width, nullptr};
    if (device_) device_->CreateTextureFromFile(file, sprite.texture);
}

void td2dsprites::DrawSprite(int index, int32_t x, int32_t y, uint32_t colour, int alpha) {
    DrawSpriteScaled(index, x, y, 1.0f, 1.0f, colour, alpha);
}

void td2dsprites::DrawSpriteScaled(int index, int32_t x, int32_t y, float sx, float sy,
                                   uint32_t colour, int alpha) {
    if (!Valid(index) || !device_) return;
    const tsprite& sprite = Sprite(index);
    const gpu::Rect src{sprite.left, sprite.top, sprite.right, sprite.bottom};
    device_->BeginSprites();
    device_->DrawSprite(sprite.texture.get(), &src, static_cast<float>(x), static_cast<float>(y),
                        sx, sy, SpriteColour(colour, alpha));
    device_->EndSprites();
}
