#pragma once

#include "indexed_picture.h"

struct CharacterLook {
    Rgb hair;
    Rgb cloth;
    Rgb ribbon;
    bool longHair;
};

IndexedPicture makeHillBackground();
IndexedPicture makeSunsetBackground();
IndexedPicture makeShrineBackground();
IndexedPicture makeRoomBackground();
IndexedPicture makeCharacter(const CharacterLook& look);
IndexedPicture makeBlossom();
IndexedPicture makeNightPalette();
