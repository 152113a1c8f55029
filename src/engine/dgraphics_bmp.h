#pragma once
// Screenshots are 32-bit BMP files: the only picture format the game writes.
#include <cstdint>
#include <string>

// A whole BMP file of width x height pixels 0xAARRGGBB given top row first: 32 bits a
// pixel, uncompressed, rows stored bottom-up as BMP readers expect.
std::string EncodeBmp32(const uint32_t* pixels, int width, int height);
