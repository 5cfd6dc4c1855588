#pragma once

#include "indexed_picture.h"

IndexedPicture makeMakerLogo();
IndexedPicture makeTitlePicture();
