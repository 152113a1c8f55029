// scores FILE [--save OUT]: the two record tables after loading FILE over the initial ones,
// as start-up loads the high-score file ("*.xml": the older hexadecimal form).
#include "json.h"
#include "output.h"

#include "campaign/records.h"

namespace {

std::string TableJson(const tscoretable& table) {
    std::vector<std::string> entries;
    for (const tscore& entry : table)
        entries.push_back(tool::JsonObject()
                              .Add("Name", json::Quote(entry.Name))
                              .Add("Id", json::Quote(entry.Id))
                              .Add("Value", json::Number(entry.Value))
                              .Text());
    return tool::JsonArray(entries);
}

int Scores(const std::vector<std::string>& args) {
    std::string file;
    std::optional<std::string> out;
    if (!tool::FileAndOption(args, "--save", file, out))
        return tool::UsageError("scores FILE [--save OUT]");
    ClearRecordTables();
    LoadHighScoresFrom(file, file.ends_with(".xml"));
    tool::Print(tool::JsonObject()
                    .Add("ScoreTable", TableJson(ScoreTable))
                    .Add("MoneyTable", TableJson(MoneyTable))
                    .Text());
    if (out && !SaveHighScoresTo(*out)) return tool::Refuse("cannot write " + *out);
    return tool::Ok;
}

tool::Register command({"scores", "FILE [--save OUT]   the record tables FILE gives, as JSON",
                        Scores});

} // namespace
