// pack FILE OUT: any file's bytes, unchanged, as a scrambled document.
#include "output.h"

#include "engine/xmlparser.h"
#include "platform/files.h"

namespace {

int Pack(const std::vector<std::string>& args) {
    if (args.size() != 2) return tool::UsageError("pack FILE OUT");
    std::string bytes;
    if (!files::ReadAll(args[0], bytes)) return tool::Refuse("cannot read " + args[0]);
    try {
        SaveScrambledDocument(args[1], bytes);
    } catch (const XmlError& error) {
        return tool::Refuse(error.what());
    }
    return tool::Ok;
}

tool::Register pack({"pack", "FILE OUT   writes FILE's bytes to OUT as one scrambled line", Pack});

} // namespace
