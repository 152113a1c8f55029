// scores FILE [--save OUT]: the two record tables after loading FILE over the initial ones,
// as start-up loads the high-score file ("*.xml": the older hexadecimal form).
#include "json.h"
#include "output.h"

#include "campaign/records.h"

namespace {

std::string TableJson(const tscoretable& table) {
    std::string out = "[";
    for (const tscore& entry : table) {
        if (out.size() > 1) out += ", ";
        out += "{\"Name\": " + json::Quote(entry.Name) + ", \"Id\": " + json::Quote(entry.Id) +
               ", \"Value\": " + json::Number(entry.Value) + "}";
    }
    return out + "]";
}

int Scores(const std::vector<std::string>& args) {
    std::string file;
    std::optional<std::string> out;
    if (!tool::FileAndOption(args, "--save", file, out))
        return tool::UsageError("scores FILE [--save OUT]");
    ClearRecordTables();
    LoadHighScoresFrom(file, file.ends_with(".xml"));
    tool::Print("{\"ScoreTable\": " + TableJson(ScoreTable) +
                ", \"MoneyTable\": " + TableJson(MoneyTable) + "}");
    if (out && !SaveHighScoresTo(*out)) return tool::Refuse("cannot write " + *out);
    return tool::Ok;
}

tool::Register command({"scores", "FILE [--save OUT]   the record tables FILE gives, as JSON",
                        Scores});

} // namespace
