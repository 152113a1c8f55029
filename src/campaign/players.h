#pragma once
// The ten player slots, the current slot and the progress shared by all of them, kept in
// "players.dat" (one scrambled line; the older hexadecimal "players.xml" is read once and
// deleted).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "world/playerrecord.h" // tplayer, GunCount

inline constexpr int PlayerSlotCount = 10;

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

// What a slot read from the players file may hold; anything beyond is brought to the limit.
// Score and money stop a billion short of the 32-bit end so a level's earnings still add
// up; the lives are as many carets as the status line has room for.
inline constexpr int32_t MaxStoredCount = 999'999'999; // Score, Money
inline constexpr int32_t MaxLives = 99;
inline constexpr int32_t MaxRounds = 999'999; // AmmoCurrent, AmmoAll
// The most progress the game ever stores: the name that opens every area sets it.
inline constexpr int32_t MaxHighestLevelPassed = 100;
// Energy and Jump are 0..100, Gun 0..3 and a gun the player owns.

extern tplayerslots PlayerProfiles;
extern int32_t CurrentPlayer;      // 1..10; 1 at start-up, not stored
extern int32_t HighestLevelPassed; // shared by all slots; opens the campaign areas

// The slot being played: PlayerProfiles[CurrentPlayer].
tplayer& CurrentProfile();

inline constexpr const char* PlayersFileName = "players.dat";
inline constexpr const char* OldPlayersFileName = "players.xml";
// Ten slots take a few kilobytes; the room is for the Ids of many completed user levels
// (a hundred thousand take 2 MB).
inline constexpr size_t LargestPlayersFile = size_t{4} << 20;
// Names that unlock things when a new player takes them (exact, case-sensitive).
inline constexpr const char* RichPlayerName = "RAVENOX";
inline constexpr const char* OpenAreasPlayerName = "GATESOPEN";

// Every slot "PLAYER n", reset, then emptied: Lives and all rounds 0.
void CreateDefaultPlayers();
// A new player in slot `number` (1..10) under the name the slot already holds.
void ResetPlayer(int number);

// Start-up: reads "players.xml" from the user folder when it exists (then deletes it), else
// (or when it does not load) "players.dat". A file that does not parse, lacks an element or
// holds a bad number changes nothing; a "players.dat" like that is moved aside by the next
// SavePlayers (see savefiles.h) rather than written over.
void LoadPlayers();
// Loads one file into the slots and HighestLevelPassed, all or nothing; hexForm picks the
// older hexadecimal form. True when the slots were replaced. Never deletes the file.
bool LoadPlayersFrom(std::string_view fileName, bool hexForm);

// The players document, as one line.
std::string PlayersDocument();
// Writes "players.dat" in the user folder (or the given file) safely; false when writing
// failed, in which case the old file is untouched.
bool SavePlayers();
bool SavePlayersTo(std::string_view fileName);
