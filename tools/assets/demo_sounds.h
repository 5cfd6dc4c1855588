// The demo games' sounds: an evening ambience that loops, the rattle of the omikuji box, a gust of wind.
#pragma once

#include "mono_sound.h"

MonoSound makeEveningAmbience();
MonoSound makeBoxRattle();
MonoSound makeWindGust();
