// tarnhollow-tool model FILE: what a model file holds, as the game would load it.
#include <cstdio>

#include "command.h"
#include "json.h"
#include "render/expfile.h"

namespace {

int RunModel(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tarnhollow-tool model FILE\n");
        return tool::Usage;
    }
    ExpModel model;
    std::string error;
    if (!LoadExp(args[0], model, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return tool::Refused;
    }
    std::string out = "{\"texture\": " + json::Quote(model.texture) +
                      ", \"vertices\": " + std::to_string(model.vertices.size()) +
                      ", \"bones\": " + std::to_string(model.bones.size()) + ", \"poses\": [";
    for (size_t i = 0; i < model.poses.size(); ++i)
        out += (i ? ", " : "") + json::Quote(model.poses[i].name);
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
    return tool::Ok;
}

const tool::Register registerModel({"model", "FILE", RunModel});

} // namespace
