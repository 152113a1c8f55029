// doc FORM FILE: a document loaded with the game's own loader, printed as a JSON tree.
#include "json.h"
#include "output.h"

#include "engine/xmlparser.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct Form {
    const char* name;
    std::unique_ptr<tnode> (*load)(std::string_view fileName, size_t largest);
};
constexpr Form Forms[] = {
    {"plain", LoadPlainDocument},
    {"scrambled", LoadScrambledDocument},
    {"headered", LoadHeaderedDocument},
    {"hex", LoadHexDocument},
};

// Iterative, because a document may nest deeper than the stack would allow.
std::string TreeJson(const tnode& root) {
    std::string out;
    std::vector<std::pair<const tnode*, size_t>> open; // node, next child to print
    auto begin = [&](const tnode& node) {
        out += "{\"name\": " + json::Quote(node.name) + ", \"text\": " + json::Quote(node.text) +
               ", \"children\": [";
        open.emplace_back(&node, 0);
    };
    begin(root);
    while (!open.empty()) {
        auto& [node, next] = open.back();
        if (next == node->children.size()) {
            out += "]}";
            open.pop_back();
            continue;
        }
        if (next > 0) out += ", ";
        const tnode& child = *node->children[next++];
        begin(child);
    }
    return out;
}

int Doc(const std::vector<std::string>& args) {
    if (args.size() != 2) return tool::UsageError("doc FORM FILE");
    for (const Form& form : Forms) {
        if (args[0] != form.name) continue;
        try {
            auto root = form.load(args[1], LargestDocument);
            if (!root) return tool::Refuse(args[1] + ": malformed document");
            tool::Print(TreeJson(*root));
            return tool::Ok;
        } catch (const XmlError& error) {
            return tool::Refuse(error.what());
        }
    }
    return tool::UsageError("doc FORM FILE   (FORM: plain, scrambled, headered or hex)");
}

tool::Register
    command({"doc", "FORM FILE   FORM: plain, scrambled, headered or hex; prints the tree", Doc});

} // namespace
