#include "platform/audio/private/sound_trace.h"

#include "platform/headless/trace.h"

void traceWaveLoad(int channel, const WaveFile& wave) {
    traceEvent("wave load %d: %u Hz, %u bits, %u channels, %u frames", channel, wave.rate, wave.bits,
               wave.channels, wave.frames());
}

void traceWavePlay(int channel, bool loop, double leftGain, double rightGain) {
    traceEvent("wave play %d: %s, gains %.3f %.3f", channel, loop ? "loop" : "once", leftGain, rightGain);
}

void traceWaveStop(int channel) {
    traceEvent("wave stop %d", channel);
}

void tracePieceEnd(const std::string& name, bool startsAgain) {
    traceEvent("music end %s%s", name.c_str(), startsAgain ? ", starts again" : "");
}
