#pragma once
// The music of the eight areas, named relative to "snd\" as a level's Mu element names it.
// Area n (1..8) plays AreaMusic[n - 1]; the forge writes exactly these files.
#include <array>

inline constexpr std::array<const char*, 8> AreaMusic = {
    "area1.ogg", // valley
    "area2.ogg", // ruins
    "area3.ogg", // treasury
    "area4.ogg", // highlands
    "area5.ogg", // gold
    "area6.ogg", // underworld
    "area7.ogg", // temple
    "area8.ogg", // kings
};
