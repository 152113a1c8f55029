#include "fixtures.h"

#include <random>
#include <stdexcept>

#define STBIW_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace fixtures {

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("tarnhollow-render-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::File(const std::string& name) const {
    return (path_ / name).string();
}

void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgba;
    rgba.reserve(pixels.size() * 4);
    for (uint32_t p : pixels) {
        rgba.push_back(static_cast<uint8_t>(p >> 16));
        rgba.push_back(static_cast<uint8_t>(p >> 8));
        rgba.push_back(static_cast<uint8_t>(p));
        rgba.push_back(static_cast<uint8_t>(p >> 24));
    }
    if (!stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4))
        throw std::runtime_error("cannot write " + path);
}

void WriteSolidPng(const std::string& path, int width, int height, uint32_t argb) {
    WritePng(path, width, height, std::vector<uint32_t>(size_t(width) * size_t(height), argb));
}

ExpVertex Vertex(float x, float y, float z, int bone, float u, float v) {
    ExpVertex vertex;
    vertex.position = {x, y, z};
    vertex.bones = {static_cast<uint8_t>(bone), static_cast<uint8_t>(bone), 0, 0};
    vertex.normal = {0, 0, -1};
    vertex.u = u;
    vertex.v = v;
    return vertex;
}

ExpModel ChainModel(const std::string& texture, int bones, tvector offset) {
    ExpModel model;
    model.texture = texture;
    for (int i = 0; i < bones; ++i) model.AddBone(i - 1, i == 0 ? tvector{0, 0, 0} : offset);
    model.AddTriangle(Vertex(0, 0, 0), Vertex(0, 1, 0), Vertex(1, 0, 0));
    return model;
}

} // namespace fixtures
