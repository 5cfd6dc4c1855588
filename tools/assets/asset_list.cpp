#include "assets.h"

std::vector<Asset> makeAssets() {
    return {{"system.bmp", makeSystemGraphics().bmpBytes()}};
}
