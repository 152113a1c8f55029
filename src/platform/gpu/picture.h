#pragma once
// Decoding a PNG or JPEG file into pixels the device can upload.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gpu/types.h"

namespace gpu {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, rows top to bottom; JPEGs are opaque
};

// No picture of the game is larger; a bigger one is refused from its header, undecoded.
inline constexpr int MaxPictureSide = 8192;

// Reads and decodes the file at its own size (game path, "\" allowed). NotAvailable for a
// picture wider or taller than MaxPictureSide, InvalidData for one its file cannot hold.
TextureError DecodePicture(std::string_view path, Picture& picture);

} // namespace gpu
