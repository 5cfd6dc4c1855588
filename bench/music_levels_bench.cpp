// How loud the music comes out: each demo theme and each real MIDI file of the test packages
// (kobodeluxe-data, freedink-data) rendered whole as the audio thread renders it, on the sound font the
// player comes with, at the music volume in full. Its peak and RMS in dBFS as the synthesizer gives it
// and as the limiter lets it out, how deep the limiter cut, and for how much of the piece. The wind of
// the demo game, for comparison, is a wave at −17 dBFS RMS.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/private/fluid_midi_synth.h"
#include "platform/audio/private/midi_sequencer.h"
#include "platform/audio/private/music_limiter.h"
#include "platform/formats/midi_file.h"
#include "real_midi_files.h"

namespace {

const int kRate = 44100;
const int kStepFrames = 256;
// Limited frames: those the limiter let out more than 0.1 dB below what came in.
const float kCutRatio = 0.9886f;

double dbfs(double amplitude) {
    return amplitude > 0 ? 20 * std::log10(amplitude) : -200;
}

struct Levels {
    double peak = 0, sumOfSquares = 0;
    size_t samples = 0;
    void add(float value) {
        peak = std::max(peak, static_cast<double>(std::fabs(value)));
        sumOfSquares += static_cast<double>(value) * value;
        ++samples;
    }
    double rms() const { return samples ? std::sqrt(sumOfSquares / samples) : 0; }
};

void BM_MusicLevels(benchmark::State& state, const std::string& file) {
    std::unique_ptr<FluidMidiSynth> synth = FluidMidiSynth::load(kDefaultSoundFont, kRate);
    if (!synth) return state.SkipWithError("the sound font is missing");
    for (auto _ : state) {
        MidiPiece piece;
        if (!readMidiFile(file.c_str(), piece)) return state.SkipWithError("cannot read the piece");
        // The piece to its end and two seconds of its last notes ringing on.
        int64_t frames = piece.lengthNs * kRate / 1000000000 + 2 * kRate;
        MidiSequencer sequencer(kRate);
        sequencer.useSynth(synth.get());
        sequencer.load("piece", std::move(piece));
        sequencer.play("piece", false);
        MusicLimiter limiter(kRate);
        Levels synthesized, limited;
        std::vector<float> before(2 * kStepFrames), after(2 * kStepFrames);
        // What came in, as late as what the limiter lets out.
        std::vector<float> delayed(2 * (kLimiterLookAhead - 1), 0.0f);
        double deepest = 1;
        size_t cutFrames = 0;
        for (int64_t done = 0; done < frames; done += kStepFrames) {
            sequencer.render(before.data(), kStepFrames);
            after = before;
            limiter.limit(after.data(), kStepFrames);
            delayed.insert(delayed.end(), before.begin(), before.end());
            for (int i = 0; i < kStepFrames; ++i) {
                float in = std::max(std::fabs(delayed[2 * i]), std::fabs(delayed[2 * i + 1]));
                float out = std::max(std::fabs(after[2 * i]), std::fabs(after[2 * i + 1]));
                if (in > 0.01f) deepest = std::min(deepest, static_cast<double>(out / in));
                cutFrames += in > 0.01f && out < in * kCutRatio;
                synthesized.add(delayed[2 * i]), synthesized.add(delayed[2 * i + 1]);
                limited.add(after[2 * i]), limited.add(after[2 * i + 1]);
            }
            delayed.erase(delayed.begin(), delayed.begin() + 2 * kStepFrames);
        }
        state.counters["seconds"] = static_cast<double>(frames) / kRate;
        state.counters["synth_peak_dbfs"] = dbfs(synthesized.peak);
        state.counters["peak_dbfs"] = dbfs(limited.peak);
        state.counters["rms_dbfs"] = dbfs(limited.rms());
        state.counters["deepest_cut_db"] = dbfs(deepest);
        state.counters["limited_percent"] = 100.0 * cutFrames / static_cast<double>(frames);
    }
}

std::vector<std::string> pieces() {
    std::vector<std::string> files = {ZEBORA_SOURCE_DIR "/games/hanami/theme.mid",
                                      ZEBORA_SOURCE_DIR "/games/hanami/ending.mid"};
    for (const std::string& file : realMidiFiles())
        files.push_back(file);
    return files;
}

const bool kRegistered = [] {
    for (const std::string& file : pieces()) {
        std::string name = "BM_MusicLevels/" + file.substr(file.rfind('/', file.rfind('/') - 1) + 1);
        benchmark::RegisterBenchmark(name.c_str(), BM_MusicLevels, file)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
