// Sounds and pieces made in code for the sound tests and the music benchmark, the window pumped as the
// engine pumps it while music plays, and the sound device's stream read back as SDL's disk audio
// driver writes it (16-bit little-endian stereo frames).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/midi_file.h"
#include "platform/wave_file.h"

// A PCM wave of a sine tone at half of full scale, on every channel.
WaveFile sineWave(uint32_t rate, uint16_t bits, uint16_t channels, double hertz, double seconds);
// One stroke of a wood block at the start, then silence until the end of track at lengthMs.
MidiPiece oneStrokePiece(int64_t lengthMs);

// Pumps g_windowSystem as the engine's waits do until done(ends reported so far) says yes, answering
// each end of the piece as the engine's music does: rewind, and play with notify again.
void pumpUntil(const std::function<bool(int)>& done, const std::string& piece = "");
void pumpFor(uint32_t ms, const std::string& piece = "");

struct AudioStream {
    std::vector<int16_t> left, right;
};

AudioStream readAudioStream(const std::string& path);
// The frames where the sound rises above an eighth of its loudest after at least quietFrames below
// that: the strokes of a piece that sounds, then falls silent.
std::vector<size_t> onsets(const AudioStream& stream, size_t quietFrames);
