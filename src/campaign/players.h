#pragma once
// The ten player slots, the current slot and the progress shared by all of them, kept in
// "players.dat" (one scrambled line; the older hexadecimal "players.xml" is read once and
// deleted).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int PlayerSlotCount = 10;
inline constexpr int GunCount = 3; // guns 1..3: pistol, submachine gun, assault rifle

struct tplayer {
    std::string Name; // at most 10 characters
    std::string Id;   // MakeIdStamp of the moment the slot got this player
    int32_t Score = 0;
    int32_t Lives = 0; // 0 or less: the slot is empty and cannot be played
    int32_t Energy = 0;
    // Indexed by gun number 1..3, like Own; [0] (no gun) carries no rounds and stays 0.
    std::array<int32_t, GunCount + 1> AmmoCurrent{}; // rounds in the gun
    std::array<int32_t, GunCount + 1> AmmoAll{};     // spare rounds
    int32_t Gun = 0;                                 // gun in hand, 0..3
    std::array<bool, GunCount + 1> Own{};            // Own[0] is always set, and not stored
    std::vector<std::string> Levels;                 // Ids of completed levels, in order
    int32_t Money = 0;
    int32_t Jump = 0; // jump meter 0..100
};

// Slots are numbered 1..10 as the menus number them; a number outside that range throws
// std::out_of_range instead of touching memory it does not own.
class tplayerslots {
  public:
    tplayer& operator[](int number) { return slots.at(static_cast<size_t>(number - 1)); }
    const tplayer& operator[](int number) const {
        return slots.at(static_cast<size_t>(number - 1));
    }
    auto begin() { return slots.begin(); }
    auto end() { return slots.end(); }
    auto begin() const { return slots.begin(); }
    auto end() const { return slots.end(); }

  private:
    std::array<tplayer, PlayerSlotCount> slots;
};

extern tplayerslots PlayerProfiles;
extern int32_t CurrentPlayer;      // 1..10; 1 at start-up, not stored
extern int32_t HighestLevelPassed; // shared by all slots; opens the campaign areas

// The slot being played: PlayerProfiles[CurrentPlayer].
tplayer& CurrentProfile();

inline constexpr const char* PlayersFileName = "players.dat";
inline constexpr const char* OldPlayersFileName = "players.xml";
// Names that unlock things when a new player takes them (exact, case-sensitive).
inline constexpr const char* RichPlayerName = "RAVENOX";
inline constexpr const char* OpenAreasPlayerName = "GATESOPEN";

// Every slot "PLAYER n", reset, then emptied: Lives and all rounds 0.
void CreateDefaultPlayers();
// A new player in slot `number` (1..10) under the name the slot already holds.
void ResetPlayer(int number);

// Start-up: reads "players.xml" when it exists (then deletes it), else "players.dat".
// A file that does not parse, lacks an element or holds a bad number changes nothing.
void LoadPlayers();
// Loads one file into the slots and HighestLevelPassed, all or nothing; hexForm picks the
// older hexadecimal form. True when the slots were replaced. Never deletes the file.
bool LoadPlayersFrom(std::string_view fileName, bool hexForm);

// The players document, as one line.
std::string PlayersDocument();
// Writes "players.dat" (or the given file) safely; false when writing failed, in which
// case the old file is untouched.
bool SavePlayers();
bool SavePlayersTo(std::string_view fileName);
