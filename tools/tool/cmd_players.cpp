// players FILE [--save OUT]: the ten slots after loading FILE as start-up loads the players
// file ("*.xml": the older hexadecimal form). FILE is never deleted.
#include "json.h"
#include "output.h"

#include "campaign/players.h"

namespace {

// Rounds are kept by gun number; the file and this output list guns 1..3.
template <typename Values> std::vector<std::string> Guns(const Values& byGun) {
    std::vector<std::string> items;
    for (int gun = 1; gun <= GunCount; ++gun) items.push_back(json::Number(byGun[gun]));
    return items;
}

std::string PlayerJson(const tplayer& p) {
    std::vector<std::string> own, levels;
    for (bool owned : p.Own) own.push_back(json::Bool(owned));
    for (const std::string& id : p.Levels) levels.push_back(json::Quote(id));
    return tool::JsonObject()
        .Add("Name", json::Quote(p.Name))
        .Add("Id", json::Quote(p.Id))
        .Add("Score", json::Number(p.Score))
        .Add("Lives", json::Number(p.Lives))
        .Add("Energy", json::Number(p.Energy))
        .Add("AmmoCurrent", tool::JsonArray(Guns(p.AmmoCurrent)))
        .Add("AmmoAll", tool::JsonArray(Guns(p.AmmoAll)))
        .Add("Gun", json::Number(p.Gun))
        .Add("Own", tool::JsonArray(own))
        .Add("Levels", tool::JsonArray(levels))
        .Add("Money", json::Number(p.Money))
        .Add("Jump", json::Number(p.Jump))
        .Text();
}

int Players(const std::vector<std::string>& args) {
    std::string file;
    std::optional<std::string> out;
    if (!tool::FileAndOption(args, "--save", file, out))
        return tool::UsageError("players FILE [--save OUT]");
    CreateDefaultPlayers();
    bool loaded = LoadPlayersFrom(file, file.ends_with(".xml"));
    std::vector<std::string> players;
    for (const tplayer& player : PlayerProfiles) players.push_back(PlayerJson(player));
    tool::Print(tool::JsonObject()
                    .Add("loaded", json::Bool(loaded))
                    .Add("HighestLevelPassed", json::Number(HighestLevelPassed))
                    .Add("players", tool::JsonArray(players))
                    .Text());
    if (out && !SavePlayersTo(*out)) return tool::Refuse("cannot write " + *out);
    return tool::Ok;
}

tool::Register command(
    {"players", "FILE [--save OUT]   the player slots FILE gives, as JSON; OUT as Quit writes them",
     Players});

} // namespace
