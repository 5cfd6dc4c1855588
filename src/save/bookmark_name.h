// Bookmark n of a game is the file save_n.dat in the game's folder.
#pragma once
#include <string>

inline std::string bookmarkFileName(int number) {
    return "save_" + std::to_string(number) + ".dat";
}
