// The game table: every sub-folder of the working folder that holds a script is one game.
#pragma once
#include <cstdint>

const int kMaxGames = 256;
const int kGameTextBytes = 256;

class FrontEnd {
public:
    char title[kMaxGames][kGameTextBytes];
    char subtitle[kMaxGames][kGameTextBytes];
    char artist[kMaxGames][kGameTextBytes];
    char genre[kMaxGames][kGameTextBytes];
    char folder[kMaxGames][kGameTextBytes];
    char scriptFile[kMaxGames][kGameTextBytes];
    uint32_t scriptSize[kMaxGames];
    int32_t count;
    int32_t selected;
};

extern FrontEnd g_frontEnd;
