// Checks a picture file passes before the stb_image we link sees it: each stands for a way
// a small hostile file makes that decoder write out of bounds, overflow, or reserve or fill
// far more memory than the file could describe.
#include "platform/gpu/picture_guards.h"

namespace gpu {

namespace {

unsigned Byte(std::string_view bytes, size_t at) {
    // Past the end the decoder reads zeros, and so do we.
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}

constexpr unsigned DefineHuffmanTables = 0xC4;
constexpr unsigned StartOfProgressiveFrame = 0xC2;
constexpr unsigned StartOfScan = 0xDA;
constexpr size_t MostHuffmanSymbols = 256;
// Nine digits always fit the decoder's int.
constexpr size_t MostPnmDigits = 9;

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

// A scan decodes with tables of the decoder's own that no segment filled unless each one it
// uses was defined before it. A progressive scan uses only the DC table in its first DC
// pass and only the AC table in an AC pass.
bool ScanTablesDefined(std::string_view bytes, size_t at, bool progressive,
                       const bool (&defined)[2][4]) {
    const size_t components = Byte(bytes, at);
    const size_t after = at + 1 + 2 * components;
    const bool firstDcPass = Byte(bytes, after) == 0 && Byte(bytes, after + 2) >> 4 == 0;
    const bool usesDc = !progressive || firstDcPass;
    const bool usesAc = !progressive || Byte(bytes, after) != 0;
    for (size_t i = 0; i < components; ++i) {
        const unsigned tables = Byte(bytes, at + 2 + 2 * i);
        const unsigned dc = tables >> 4, ac = tables & 15;
        // Numbers above 3 the decoder refuses itself.
        if (usesDc && dc < 4 && !defined[0][dc]) return false;
        if (usesAc && ac < 4 && !defined[1][ac]) return false;
    }
    return true;
}

} // namespace

bool PngChunksFit(std::string& bytes) {
    if (!StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return true;
    constexpr size_t ChunkFrame = 12; // length, type, and the check sum after the data
    size_t at = 8;
    // A chunk whose length and type are there counts, even when the rest of it is not.
    while (at + 8 <= bytes.size()) {
        const uint32_t length = BigEndian32(bytes, at);
        if (length == 0 && bytes.compare(at + 4, 4, "IDAT") == 0) {
            bytes.erase(at, ChunkFrame);
            continue;
        }
        if (at + ChunkFrame + length > bytes.size()) return false;
        // What follows the end is not the decoder's business, nor ours.
        if (bytes.compare(at + 4, 4, "IEND") == 0) return true;
        at += ChunkFrame + length;
    }
    return true;
}

bool PnmHeaderFits(std::string_view bytes) {
    if (!StartsWith(bytes, "P5") && !StartsWith(bytes, "P6")) return true;
    size_t at = 2;
    // Width, height and the largest value, each after blanks and "#" comments.
    for (int number = 0; number < 3; ++number) {
        while (at < bytes.size()) {
            const char c = bytes[at];
            if (c == '#') {
                while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
            } else if (c == ' ' || (c >= '\t' && c <= '\r')) {
                ++at;
            } else {
                break;
            }
        }
        size_t digits = 0;
        int64_t value = 0;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && digits <= MostPnmDigits)
            value = value * 10 + (bytes[at++] - '0'), ++digits;
        if (digits > MostPnmDigits) return false;
        // Two-byte samples come out of the decoder in a buffer sized for one-byte ones.
        if (number == 2 && value > 255) return false;
    }
    return true;
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
    bool progressive = false;
    bool defined[2][4] = {}; // DC and AC tables 0..3
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
        if (marker == StartOfProgressiveFrame) progressive = true;
        if (marker == StartOfScan && !ScanTablesDefined(bytes, at + 4, progressive, defined))
            return false;
        if (marker != DefineHuffmanTables) {
            at += 2 + length;
            continue;
        }
        // Tables follow one another until the segment's length is used up.
        long left = static_cast<long>(length) - 2;
        size_t table = at + 4;
        while (left > 0) {
            const unsigned kind = Byte(bytes, table) >> 4, number = Byte(bytes, table) & 15;
            if (kind < 2 && number < 4) defined[kind][number] = true;
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

} // namespace gpu
