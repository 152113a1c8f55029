#pragma once
// Files the render tests make on the fly: a scratch folder, PNG pictures and small models.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "render/expfile.h"

namespace fixtures {

// A fresh folder under the system's temporary folder, removed again by the destructor.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    // The path of a file in the folder, as the game would spell it.
    std::string File(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// Writes a PNG of 0xAARRGGBB pixels, rows top to bottom.
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
// A picture of one colour.
void WriteSolidPng(const std::string& path, int width, int height, uint32_t argb);

// A vertex that follows one bone.
ExpVertex Vertex(float x, float y, float z, int bone = 0, float u = 0, float v = 0);
// A model of one triangle with a chain of `bones` bones (bone i the child of i - 1, each
// offset by `offset` from its parent) and the given poses.
ExpModel ChainModel(const std::string& texture, int bones, tvector offset = {0, 0, 0});

} // namespace fixtures
