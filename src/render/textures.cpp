#include "render/textures.h"

ttextures& Textures() {
    static ttextures cache;
    return cache;
}

gpu::TexturePtr ttextures::GetTexture(std::string_view name) {
    for (const ttexture& entry : entries_)
        if (entry.name == name) return entry.texture;

    ttexture entry;
    entry.name = std::string(name);
    gpu::TextureError error = gpu::TextureError::InvalidCall; // no device to make it on
    if (device_) error = device_->CreateTextureFromFile(name, entry.texture);
    if (error != gpu::TextureError::None) entry.texture.reset();
    entries_.push_back(entry);

    if (error != gpu::TextureError::None) {
        ShowMessage("Create texture: " + entry.name + " failed!", MessageIcon::Information);
        // The error numbers of the device are the digits the second box shows (1..5).
        const int digit = static_cast<int>(error);
        if (digit >= 1 && digit <= 5) ShowMessage(std::to_string(digit), MessageIcon::Error);
    }
    return entry.texture;
}
