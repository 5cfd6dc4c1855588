// The pictures, music, sounds and stories that the bundled working folder holds, all made here.
#pragma once
#include <string>
#include <vector>

#include "indexed_picture.h"

const double kPi = 3.14159265358979;

IndexedPicture makeSystemGraphics();

struct Asset {
    std::string path;  // relative to the working folder
    std::string bytes;
};

// Every generated file of the working folder.
std::vector<Asset> makeAssets();
