#include "platform/gpu/picture.h"

#include <stb_image.h>

#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/gpu/picture_guards.h"

namespace gpu {

TextureError DecodePicture(std::string_view path, Picture& picture) {
    picture = {};
    if (path.empty()) return TextureError::InvalidCall;
    std::string bytes;
    if (!files::ReadAll(path, bytes) || bytes.empty() || bytes.size() > size_t(INT32_MAX))
        return TextureError::InvalidData;
    if (!JpegHuffmanTablesFit(bytes) || !PngChunksFit(bytes) || !PnmHeaderFits(bytes))
        return TextureError::InvalidData;
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
