#pragma once
// The player record the world changes in place while a level is played. The record type
// lives down here because the world tables sit below the campaign code that keeps the ten
// slots; the campaign's slot table holds these records and points the world at the
// current one.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// The record the world works on. Until someone points it elsewhere it is a spare record of
// the world's own, so tools and tests can run levels without the campaign.
tplayer& Player();
void UsePlayerRecord(tplayer& record);
