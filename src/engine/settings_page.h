// The settings page of our own (F1): at any reader's wait, in the game-selection page and in the
// engine's menus, a page in the engine's own style over the dimmed picture where the reader changes the
// volumes, the text's speed, auto and skip, the screen, the scaling and the text outputs. A change takes
// effect at once and goes into the settings file at once; closing the page brings back the screen exactly as
// it was.
#pragma once
#include "platform/platform_options.h"

// What the reader chose of what the page shows, as the command line and the settings file gave it.
struct ReaderChoices {
    int musicVolume = kFullVolume;
    int soundVolume = kFullVolume;
    bool mute = false;
    ScaleFilter filter = ScaleFilter::Sharp;
    bool integerScale = false;
};

extern ReaderChoices g_choices;

const uint32_t kSettingsKey = 112;  // F1

// Runs the page until the reader closes it; the screen is then as it was, pixel for pixel.
void runSettingsPage();
