#include "forge.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "builders.h"
#include "campaign/storycells.h"
#include "pictures.h"
#include "platform/files.h"
#include "render/assetorder.h"

namespace forge {

std::vector<std::string> ModelFiles() {
    std::vector<std::string> files;
    for (const AssetEntry& e : AssetOrder) {
        if (e.kind != AssetKind::RigidModel && e.kind != AssetKind::SkinnedModel) continue;
        if (std::find(files.begin(), files.end(), e.file) == files.end()) files.push_back(e.file);
    }
    return files;
}

std::vector<Product> AllProducts() {
    std::vector<Product> out;
    // Both texture folders hold the same models; build each once and share the bytes.
    auto cache = std::make_shared<std::map<std::string, std::string>>();
    for (const char* folder : {"gfx1024/", "gfx2048/"}) {
        for (const std::string& file : ModelFiles())
            out.push_back({folder + file, [cache, file] {
                               auto it = cache->find(file);
                               if (it != cache->end()) return it->second;
                               Model m;
                               if (!BuildModel(file, m)) return std::string();
                               return (*cache)[file] = SerializeModel(m);
                           }});
        int size = folder[3] == '1' ? 1024 : 2048;
        out.push_back({std::string(folder) + "textures.png",
                       [size] { return EncodePng(PaintTextureSheet(size)); }});
        out.push_back({std::string(folder) + PlaceholderTexture,
                       [] { return EncodePng(PaintPlaceholder()); }});
    }
    out.push_back({"gfx/testfont.png", [] { return EncodePng(PaintFont()); }});
    for (const MenuPicture& p : MenuPictures())
        out.push_back({std::string("gfx/") + p.file, [p] { return EncodeJpeg(p.paint(), 90); }});
    for (int sheet = 1; sheet <= ::StorySheetCount; ++sheet)
        out.push_back({"gfx/intro" + std::to_string(sheet) + ".png",
                       [sheet] { return EncodePng(PaintStorySheet(sheet)); }});
    return out;
}

std::vector<Product> IconProducts() {
    std::vector<Product> out;
    for (int size : {64, 128, 256}) {
        const std::string edge = std::to_string(size);
        out.push_back({edge + "x" + edge + "/apps/tarnhollow.png",
                       [size] { return EncodePng(PaintIcon(size)); }});
    }
    return out;
}

bool WriteProducts(const std::string& gameDir, const std::vector<Product>& products) {
    bool ok = true;
    for (const Product& p : products) {
        std::string bytes = p.make();
        std::filesystem::path path = std::filesystem::path(gameDir) / p.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (bytes.empty() || !files::WriteSafely(path.string(), bytes)) {
            std::fprintf(stderr, "forge-visual: could not make %s\n", path.string().c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace forge
