// The maker's logo: a tiled backdrop fades in from black, the logo band dissolves onto the middle of
// the screen, holds for two seconds, and everything fades out to black.
#include "display/display.h"
#include "display/palette_fader.h"
#include "display/transition_effects.h"
#include "frontend/front_end.h"
#include "shell/shell.h"

namespace {

const char kLogoPicture[] = "qmlogo.bmp";
const int32_t kLogoRows = 300;
const int32_t kBandHeight = 128;
const int32_t kBandTop = 190;
const int32_t kTile = 100;
const int32_t kTileCopyHeight = 228;
const int32_t kBlack = -255;
const uint32_t kHoldMs = 2000;

}  // namespace

void prepareLogo() {
    g_display.loadPalette(kLogoPicture);
    g_display.loadBitmap(kLogoPicture, kSlotWidth, kLogoRows, 0, 0, 0, 0, SLOT_TEXT);
    g_display.clear(SLOT_SCREEN);
    g_display.clear(SLOT_BACK);
    g_fader.setBrightness(kBlack);
    // Each copy carries 228 rows, but the rows of copies are 100 apart, so what stays visible is the
    // 100×100 tile at (0, 128) repeated over the back buffer.
    for (int32_t row = 0; row < 5; ++row) {
        for (int32_t column = 0; column < 7; ++column) {
            g_display.copyOpaqueClipped(kTile * column, kTile * row, 0, kBandHeight, kTile, kTileCopyHeight,
                                        SLOT_BACK, SLOT_TEXT);
        }
    }
    g_fader.setBrightness(kBlack);
    g_display.present();
}

void showLogo() {
    prepareLogo();
    g_fader.fadeUp(kBlack, 0, 2, 10);
    g_effects.dissolve(0, kBandTop, 0, 0, kSlotWidth, kBandHeight, 10, SLOT_SCREEN, SLOT_TEXT);
    sleepMs(kHoldMs);
    g_fader.fadeDown(0, kBlack, 3, 10);
}
