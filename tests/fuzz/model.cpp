// The ".exp" model reader: a model it accepts encodes to bytes it accepts again.
#include "fuzzinput.h"
#include "render/expfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ExpModel model;
    std::string error;
    if (!DecodeExp(fuzz::View(data, size), model, error)) return 0;
    ExpModel again;
    fuzz::Require(DecodeExp(EncodeExp(model), again, error), "an accepted model re-encodes");
    fuzz::Require(again.vertices.size() == model.vertices.size() &&
                      again.bones.size() == model.bones.size() &&
                      again.poses.size() == model.poses.size(),
                  "a model keeps its counts");
    return 0;
}
