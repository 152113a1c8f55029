#include "platform/gpu/picture.h"

#include <stb_image.h>

#include <cstring>
#include <string>

#include "platform/files.h"

namespace gpu {

namespace {

unsigned Byte(std::string_view bytes, size_t at) {
    // Past the end the decoder reads zeros, and so do we.
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}

constexpr unsigned DefineHuffmanTables = 0xC4;
constexpr size_t MostHuffmanSymbols = 256;

bool StartsWith(std::string_view bytes, std::string_view magic) {
    return bytes.substr(0, magic.size()) == magic;
}

// How many pixels one byte of a file can stand for at best, by format.
int64_t MostPixelsPerByte(std::string_view bytes) {
    // One-bit pixels, and deflate repeats a byte at most 1032 times per byte it spends.
    if (StartsWith(bytes, "\x89PNG")) return 8 * 1032;
    // Every 8 x 8 block costs at least one bit, even in the DC scan of a progressive file.
    if (StartsWith(bytes, "\xFF\xD8")) return 8 * 64;
    // One 12-bit code spells at most 4096 pixels.
    if (StartsWith(bytes, "GIF8")) return 4096 * 8 / 12 + 1;
    // The decoder reads only uncompressed bitmaps, one bit a pixel at the least.
    if (StartsWith(bytes, "BM")) return 8;
    // A Softimage run may repeat one pixel 65535 times.
    if (StartsWith(bytes, "\x53\x80\xF6\x34")) return 65536 / 4;
    // Targa, Photoshop, Radiance and the portable maps: runs of at most 128 for two bytes.
    return 64;
}

uint32_t BigEndian32(std::string_view bytes, size_t at) {
    return Byte(bytes, at) << 24 | Byte(bytes, at + 1) << 16 | Byte(bytes, at + 2) << 8 |
           Byte(bytes, at + 3);
}

} // namespace

void DropEmptyPngDataChunks(std::string& bytes) {
    if (!StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return;
    constexpr size_t ChunkFrame = 12; // length, type, and the check sum after the data
    size_t at = 8;
    while (at + ChunkFrame <= bytes.size()) {
        const uint32_t length = BigEndian32(bytes, at);
        if (length == 0 && bytes.compare(at + 4, 4, "IDAT") == 0) {
            bytes.erase(at, ChunkFrame);
            continue;
        }
        if (length > bytes.size() - at - ChunkFrame) return;
        at += ChunkFrame + length;
    }
}

bool PictureFitsItsFile(std::string_view bytes, int64_t width, int64_t height) {
    return width * height <= MostPixelsPerByte(bytes) * int64_t(bytes.size());
}

bool JpegHuffmanTablesFit(std::string_view bytes) {
    // The decoder takes a JPEG start after any number of fill bytes.
    size_t at = 0;
    while (at < bytes.size() && Byte(bytes, at) == 0xFF) ++at;
    if (at == 0 || Byte(bytes, at) != 0xD8) return true;
    ++at;
    // Every segment the decoder could take for a table definition, wherever it lies: scan data
    // and padding are stepped over a byte at a time, as the decoder does when it looks for its
    // next marker.
    while (at + 1 < bytes.size()) {
        const unsigned marker = Byte(bytes, at + 1);
        if (Byte(bytes, at) != 0xFF || marker == 0xFF) {
            ++at;
            continue;
        }
        // Stuffed zero, restart markers, start and end of image: no length follows.
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
            at += 2;
            continue;
        }
        const size_t length = Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3);
        if (marker != DefineHuffmanTables) {
            at += 2 + length;
            continue;
        }
        // Tables follow one another until the segment's length is used up.
        long left = static_cast<long>(length) - 2;
        size_t table = at + 4;
        while (left > 0) {
            size_t symbols = 0;
            for (size_t i = 0; i < 16; ++i) symbols += Byte(bytes, table + 1 + i);
            if (symbols > MostHuffmanSymbols) return false;
            table += 17 + symbols;
            left -= static_cast<long>(17 + symbols);
        }
        at = table;
    }
    return true;
}

TextureError DecodePicture(std::string_view path, Picture& picture) {
    picture = {};
    if (path.empty()) return TextureError::InvalidCall;
    std::string bytes;
    if (!files::ReadAll(path, bytes) || bytes.empty() || bytes.size() > size_t(INT32_MAX))
        return TextureError::InvalidData;
    if (!JpegHuffmanTablesFit(bytes)) return TextureError::InvalidData;
    DropEmptyPngDataChunks(bytes);
    int w = 0, h = 0, channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    // The size from the header, before any pixel is decoded: a small file may declare a
    // picture of gigabytes.
    if (!stbi_info_from_memory(data, int(bytes.size()), &w, &h, &channels))
        return TextureError::InvalidData;
    // stb answers a top-down BMP's height negative.
    auto side = [](int v) { return v < 0 ? -int64_t{v} : int64_t{v}; };
    if (side(w) > MaxPictureSide || side(h) > MaxPictureSide) return TextureError::NotAvailable;
    // A file cut short decodes as zeros at the full cost of the size it declares.
    if (!PictureFitsItsFile(bytes, side(w), side(h))) return TextureError::InvalidData;
    stbi_uc* rgba = stbi_load_from_memory(data, int(bytes.size()), &w, &h, &channels, 4);
    if (!rgba) {
        const char* why = stbi_failure_reason();
        return why && std::strcmp(why, "outofmem") == 0 ? TextureError::OutOfMemory
                                                        : TextureError::InvalidData;
    }
    picture.width = w;
    picture.height = h;
    picture.pixels.resize(size_t(w) * size_t(h));
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const stbi_uc* p = rgba + 4 * i;
        picture.pixels[i] =
            uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    stbi_image_free(rgba);
    return TextureError::None;
}

} // namespace gpu
