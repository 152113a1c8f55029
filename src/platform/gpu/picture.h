#pragma once
// Decoding a PNG or JPEG file into pixels the device can upload.
#include <cstdint>
#include <string>
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

// False for a JPEG whose Huffman tables list more than 256 symbols: the stb_image we link
// writes them past the end of its tables. True for anything else, JPEG or not.
bool JpegHuffmanTablesFit(std::string_view bytes);

// Takes out a PNG's empty data chunks, which carry nothing: the stb_image we link offsets a
// null pointer when the first data chunk is empty.
void DropEmptyPngDataChunks(std::string& bytes);

// False when the file is too short to hold a picture of that size in its format even at
// the format's best compression: it was cut short or its header lies.
bool PictureFitsItsFile(std::string_view bytes, int64_t width, int64_t height);

// Reads and decodes the file at its own size (game path, "\" allowed). NotAvailable for a
// picture wider or taller than MaxPictureSide, InvalidData for one its file cannot hold.
TextureError DecodePicture(std::string_view path, Picture& picture);

} // namespace gpu
