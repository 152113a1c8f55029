#include "campaign/players.h"

#include "campaign/savefiles.h"
#include "engine/xmlparser.h"
#include "platform/files.h"

#include <algorithm>

tplayerslots PlayerProfiles;
int32_t CurrentPlayer = 1;
int32_t HighestLevelPassed = 0;

tplayer& CurrentProfile() {
    return PlayerProfiles[CurrentPlayer];
}

void ResetPlayer(int number) {
    tplayer& player = PlayerProfiles[number];
    player.Id = MakeIdStamp();
    player.Jump = 100;
    player.Energy = 100;
    player.Lives = 7;
    player.Score = 0;
    player.Gun = 0;
    player.Money = player.Name == RichPlayerName ? 10000000 : 0;
    if (player.Name == OpenAreasPlayerName) HighestLevelPassed = MaxHighestLevelPassed;
    player.Levels.clear();
    player.Own[0] = true;
    for (int gun = 1; gun <= GunCount; ++gun) {
        player.Own[gun] = false;
        player.AmmoCurrent[gun] = 0;
        player.AmmoAll[gun] = 0;
    }
}

void CreateDefaultPlayers() {
    for (int number = 1; number <= PlayerSlotCount; ++number) {
        tplayer& player = PlayerProfiles[number];
        player.Name = "PLAYER " + std::to_string(number);
        ResetPlayer(number);
        player.Lives = 0;
        player.AmmoCurrent.fill(0);
        player.AmmoAll.fill(0);
    }
}

namespace {

int32_t Clamped(const tnode& element, const char* name, int32_t low, int32_t high) {
    return std::clamp(element.Child(name).AsInteger(), low, high);
}

tplayer ReadPlayer(const tnode& element) {
    tplayer player;
    player.Name = Unescaped(element.Child("Name").text);
    player.Id = Unescaped(element.Child("Id").text);
    player.Score = Clamped(element, "Score", 0, MaxStoredCount);
    player.Lives = Clamped(element, "Lives", 0, MaxLives);
    player.Energy = Clamped(element, "Energy", 0, 100);
    player.Gun = Clamped(element, "Gun", 0, GunCount);
    player.Money = Clamped(element, "Money", 0, MaxStoredCount);
    player.Jump = Clamped(element, "Jump", 0, 100);
    const tnode& guns = element.Child("Guns");
    player.Own[0] = true;
    for (int gun = 1; gun <= GunCount; ++gun) {
        const tnode& entry = guns.Child("Gun", gun - 1);
        player.Own[gun] = entry.Child("Own").AsInteger() == 1;
        player.AmmoCurrent[gun] = Clamped(entry, "AmmoCurrent", 0, MaxRounds);
        player.AmmoAll[gun] = Clamped(entry, "AmmoAll", 0, MaxRounds);
    }
    if (!player.Own[static_cast<size_t>(player.Gun)]) player.Gun = 0;
    // One pass over the children: looking each name up by its index would read the list
    // again for every name.
    for (const auto& child : element.Child("Levels").children)
        if (child->name == "Name") player.Levels.push_back(Unescaped(child->text));
    return player;
}

} // namespace

bool LoadPlayersFrom(std::string_view fileName, bool hexForm) {
    // Everything is read into a copy first: a file that parses but lacks an element or
    // holds a bad number leaves every slot as it was, like a file that does not parse.
    try {
        auto root = hexForm ? LoadHexDocument(fileName, LargestPlayersFile)
                            : LoadScrambledDocument(fileName, LargestPlayersFile);
        if (!root) return false;
        const tnode& players = root->Child("Players");
        // The choose-level screen counts areas on from it: a huge number would overflow there.
        const int32_t highest =
            std::clamp(players.Child("HighestLevelPassed").AsInteger(), 0, MaxHighestLevelPassed);
        tplayerslots loaded;
        for (int number = 1; number <= PlayerSlotCount; ++number)
            loaded[number] = ReadPlayer(players.Child("Player", number - 1));
        PlayerProfiles = std::move(loaded);
        HighestLevelPassed = highest;
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

namespace {
tsavefile playersFile{OldPlayersFileName, PlayersFileName, LoadPlayersFrom, {}};
}

void LoadPlayers() {
    LoadSaveFile(playersFile);
}

std::string PlayersDocument() {
    std::string d =
        "<Players><HighestLevelPassed>" + Decimal(HighestLevelPassed) + "</HighestLevelPassed>";
    for (const tplayer& p : PlayerProfiles) {
        d += "<Player><Name>" + Escaped(p.Name) + "</Name><Id>" + Escaped(p.Id) + "</Id>";
        d += "<Score>" + Decimal(p.Score) + "</Score><Lives>" + Decimal(p.Lives) + "</Lives>";
        d += "<Energy>" + Decimal(p.Energy) + "</Energy><Gun>" + Decimal(p.Gun) + "</Gun>";
        d += "<Money>" + Decimal(p.Money) + "</Money><Jump>" + Decimal(p.Jump) + "</Jump><Guns>";
        for (int gun = 1; gun <= GunCount; ++gun) {
            d += p.Own[gun] ? "<Gun><Own>1</Own>" : "<Gun><Own>0</Own>";
            d += "<AmmoCurrent>" + Decimal(p.AmmoCurrent[gun]) + "</AmmoCurrent>";
            d += "<AmmoAll>" + Decimal(p.AmmoAll[gun]) + "</AmmoAll></Gun>";
        }
        d += "</Guns><Levels>";
        for (const std::string& level : p.Levels) d += "<Name>" + Escaped(level) + "</Name>";
        d += "</Levels></Player>";
    }
    return d + "</Players>";
}

bool SavePlayersTo(std::string_view fileName) {
    return TrySaveScrambledDocument(fileName, PlayersDocument());
}

bool SavePlayers() {
    return KeepUnreadableFile(playersFile) && SavePlayersTo(files::HomePath(PlayersFileName));
}
