// players FILE [--save OUT]: the ten slots after loading FILE as start-up loads the players
// file ("*.xml": the older hexadecimal form). FILE is never deleted.
#include "json.h"
#include "output.h"

#include "campaign/players.h"

namespace {

template <typename Values, typename Format>
std::string Array(const Values& values, size_t first, Format format) {
    std::string out = "[";
    for (size_t i = first; i < std::size(values); ++i) {
        if (i > first) out += ", ";
        out += format(values[i]);
    }
    return out + "]";
}

std::string PlayerJson(const tplayer& p) {
    auto number = [](int32_t value) { return json::Number(value); };
    // Rounds are kept by gun number 1..3; the file and this output list guns 1..3.
    return "{\"Name\": " + json::Quote(p.Name) + ", \"Id\": " + json::Quote(p.Id) +
           ", \"Score\": " + json::Number(p.Score) + ", \"Lives\": " + json::Number(p.Lives) +
           ", \"Energy\": " + json::Number(p.Energy) +
           ", \"AmmoCurrent\": " + Array(p.AmmoCurrent, 1, number) +
           ", \"AmmoAll\": " + Array(p.AmmoAll, 1, number) + ", \"Gun\": " + json::Number(p.Gun) +
           ", \"Own\": " + Array(p.Own, 0, json::Bool) + ", \"Levels\": " +
           Array(p.Levels, 0, [](const std::string& id) { return json::Quote(id); }) +
           ", \"Money\": " + json::Number(p.Money) + ", \"Jump\": " + json::Number(p.Jump) + "}";
}

int Players(const std::vector<std::string>& args) {
    std::string file;
    std::optional<std::string> out;
    if (!tool::FileAndOption(args, "--save", file, out))
        return tool::UsageError("players FILE [--save OUT]");
    CreateDefaultPlayers();
    bool loaded = LoadPlayersFrom(file, file.ends_with(".xml"));
    std::string text = "{\"loaded\": " + json::Bool(loaded) +
                       ", \"HighestLevelPassed\": " + json::Number(HighestLevelPassed) +
                       ", \"players\": [";
    for (int number = 1; number <= PlayerSlotCount; ++number)
        text += (number > 1 ? ", " : "") + PlayerJson(PlayerProfiles[number]);
    tool::Print(text + "]}");
    if (out && !SavePlayersTo(*out)) return tool::Refuse("cannot write " + *out);
    return tool::Ok;
}

tool::Register command(
    {"players", "FILE [--save OUT]   the player slots FILE gives, as JSON; OUT as Quit writes them",
     Players});

} // namespace
