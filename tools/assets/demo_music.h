// The demo games' music, composed here.
#pragma once

#include "midi_score.h"

// Four bars of D major for flute, piano and strings that loop without a seam.
MidiScore makeHanamiTheme();
// Two bars that close on the home chord, the second slower; played once.
MidiScore makeHanamiEnding();
