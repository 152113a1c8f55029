#pragma once
// The visual half of the asset forge: writes every model, the texture sheets, the font,
// the menu pictures and the story sheets into a game folder.
#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "model.h"

namespace forge {

// The texture sheet "textures.png" at 1024 or 2048 pixels: model materials plus the shop
// pictures, the level start picture and the white fade texel at their load-order rectangles.
Image PaintTextureSheet(int size);

// Every distinct model file of the load order, in load order.
std::vector<std::string> ModelFiles();

// One output file: its path under the game folder ("gfx1024/seina1.exp") and how to make it.
struct Product {
    std::string path;
    std::function<std::string()> make;
};
std::vector<Product> AllProducts();
// The desktop icons in the hicolor sizes, as "<N>x<N>/apps/tarnhollow.png".
std::vector<Product> IconProducts();

// Makes the products into `gameDir`; false when one could not be written.
bool WriteProducts(const std::string& gameDir, const std::vector<Product>& products);

} // namespace forge
