#pragma once
// What a picture file must pass before the decoder sees it (picture_guards.cpp says why).
#include <cstdint>
#include <string>
#include <string_view>

namespace gpu {

// False for a JPEG whose Huffman tables list more than 256 symbols (the stb_image we link
// writes them past the end of its tables), or one with a scan that uses a table no segment
// defined before it (the decoder reads it from memory it never set). True for anything
// else, JPEG or not.
bool JpegHuffmanTablesFit(std::string_view bytes);

// Takes out a PNG's empty data chunks, which carry nothing (the decoder offsets a null
// pointer for an empty first one). False when a chunk claims more bytes than the file has
// left: the decoder would reserve them before finding out, 2 GB for a 100-byte file.
bool PngChunksFit(std::string& bytes);

// False for a PNM header number too long for the decoder's int, and for two-byte samples
// (a largest value above 255), which the decoder converts past the end of its buffer.
bool PnmHeaderFits(std::string_view bytes);

// False when the file is too short to hold a picture of that size in its format even at
// the format's best compression: it was cut short or its header lies.
bool PictureFitsItsFile(std::string_view bytes, int64_t width, int64_t height);

} // namespace gpu
