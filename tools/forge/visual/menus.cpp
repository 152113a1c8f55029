#include "pictures.h"
namespace forge {
const std::vector<MenuPicture>& MenuPictures() {
    static const std::vector<MenuPicture> list;
    return list;
}
} // namespace forge
