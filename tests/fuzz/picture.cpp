// Picture loading behind the texture cache: PNG, JPEG and whatever else stb_image guesses.
#include "platform/gpu/picture.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gpu::Picture picture;
    if (gpu::DecodePicture(fuzz::InputFile(fuzz::View(data, size)), picture) ==
        gpu::TextureError::None)
        fuzz::Require(picture.pixels.size() == size_t(picture.width) * size_t(picture.height),
                      "a picture has its pixels");
    return 0;
}
