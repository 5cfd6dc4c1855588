// The trace lines of the sound devices, the same from the real one and the silent one, so that a run
// reads alike with and without an audio device.
#pragma once
#include <cstdint>
#include <string>

#include "platform/formats/wave_file.h"

void traceWaveLoad(int channel, const WaveFile& wave);
void traceWavePlay(int channel, bool loop, double leftGain, double rightGain);
void traceWaveStop(int channel);
void tracePieceEnd(const std::string& name, bool startsAgain);
