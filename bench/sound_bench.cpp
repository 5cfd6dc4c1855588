// The real sound device, through SDL's disk audio driver in a real window (bench/run.sh sets both):
// converting ten waves, and a piece looped with notify: the sound font's load when the first piece
// comes, the resident memory then, how late the ends are reported, how far the restarts stray from
// the piece's length in the stream, and the CPU before any music, while it plays and once it has
// stopped. The disk driver sleeps a buffer's time after writing each buffer, so its stream runs a
// little slower than the clock (stream_pace_percent), and the ends seem later than on a sound card.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "audio_stream.h"
#include "bench_support.h"
#include "platform/audio/sound_device.h"
#include "platform/formats/little_endian.h"
#include "platform/formats/midi_file.h"
#include "platform/window_system.h"

namespace {

const int kRate = 44100;
const int kBytesPerFrame = 4;
const int kPieceMs = 2000;
const int kLoops = 3;
const uint32_t kQuietMs = 2000;
const int64_t kNsPerMs = 1000000;
const uint32_t kPumpStepMs = 5;

double residentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
    return 0;
}

double cpuSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The CPU the whole process, audio thread included, used since then, in percent of one core.
double cpuPercentSince(double cpuThen, std::chrono::steady_clock::time_point then) {
    return (cpuSeconds() - cpuThen) * 1000 * 100 / msSince(then);
}

// How much of the stream the disk driver has written, give or take its file buffer.
double streamMs() {
    std::ifstream file(std::getenv("SDL_DISKAUDIOFILE"), std::ios::binary | std::ios::ate);
    return static_cast<double>(file.tellg()) / kBytesPerFrame * 1000 / kRate;
}

// A PCM wave of a sine tone at half of full scale, on every channel.
WaveFile sineWave(uint32_t rate, uint16_t bits, uint16_t channels, double hertz, double seconds) {
    WaveFile wave;
    wave.formatTag = kWaveFormatPcm;
    wave.channels = channels;
    wave.rate = rate;
    wave.bits = bits;
    wave.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    wave.bytesPerSecond = rate * wave.blockAlign;
    std::string bytes;
    LittleEndianWriter out(bytes);
    for (uint32_t i = 0; i < static_cast<uint32_t>(rate * seconds); ++i) {
        double value = std::sin(2 * M_PI * hertz * i / rate) / 2;
        for (uint16_t channel = 0; channel < channels; ++channel) {
            if (bits == 8)
                out.u8(static_cast<uint8_t>(128 + std::lround(value * 255)));
            else
                out.u16(static_cast<uint16_t>(std::lround(value * 65535)));
        }
    }
    wave.data.assign(bytes.begin(), bytes.end());
    return wave;
}

// One stroke of a wood block at the start, then silence until the end of track at lengthMs.
MidiPiece oneStrokePiece(int64_t lengthMs) {
    const uint8_t kDrumsNoteOn = 0x99, kDrumsNoteOff = 0x89, kHighWoodBlock = 76;
    MidiPiece piece;
    piece.events.push_back({0, kDrumsNoteOn, kHighWoodBlock, 127, 0, 0});
    piece.events.push_back({100 * kNsPerMs, kDrumsNoteOff, kHighWoodBlock, 0, 0, 0});
    piece.lengthNs = lengthMs * kNsPerMs;
    return piece;
}

// Pumps the window as the engine's waits do until done(ends reported so far) says yes, answering each
// end of the piece as the engine's music does: rewind, and play with notify again.
void pumpUntil(const std::function<bool(int)>& done, const std::string& piece = "") {
    for (int ends = 0; !done(ends);) {
        g_windowSystem->pumpEvents();
        WindowMessage message;
        while (g_windowSystem->takeMessage(message)) {
            if (message.message != MM_MCINOTIFY) continue;
            ++ends;
            g_windowSystem->soundDevice().rewindPiece(piece);
            g_windowSystem->soundDevice().playPiece(piece, true);
        }
        g_windowSystem->idleUntil(g_windowSystem->milliseconds() + kPumpStepMs);
    }
}

void pumpFor(uint32_t ms, const std::string& piece = "") {
    uint32_t end = g_windowSystem->milliseconds() + ms;
    pumpUntil([end](int) { return static_cast<int32_t>(g_windowSystem->milliseconds() - end) >= 0; }, piece);
}

bool diskAudioInAWindow() {
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    return driver && std::strcmp(driver, "disk") == 0 && benchWindowSystemName() != "headless" &&
           useBenchWindowSystem();
}

// Two seconds each, in the formats of the time.
void BM_ConvertTenWaves(benchmark::State& state) {
    if (!diskAudioInAWindow()) return state.SkipWithError("needs ZEBORA_BENCH_WINDOW=1 SDL_AUDIODRIVER=disk");
    std::vector<WaveFile> waves;
    for (int i = 0; i < 10; ++i)
        waves.push_back(sineWave(i % 3 == 0   ? 11025
                                 : i % 3 == 1 ? 22050
                                              : 44100,
                                 i % 2 ? 16 : 8, static_cast<uint16_t>(1 + i % 2), 440, 2.0));
    SoundDevice& device = g_windowSystem->soundDevice();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            device.loadWave(i, waves[i]);
    }
}
BENCHMARK(BM_ConvertTenWaves)->Unit(benchmark::kMillisecond);

void BM_MusicLoopThroughTheDiskDriver(benchmark::State& state) {
    if (!diskAudioInAWindow()) return state.SkipWithError("needs ZEBORA_BENCH_WINDOW=1 SDL_AUDIODRIVER=disk");
    SoundDevice& device = g_windowSystem->soundDevice();
    for (auto _ : state) {
        double cpuQuiet = cpuSeconds();
        auto quiet = std::chrono::steady_clock::now();
        pumpFor(kQuietMs);
        state.counters["cpu_percent_no_music"] = cpuPercentSince(cpuQuiet, quiet);
        double before = residentMb();
        auto loading = std::chrono::steady_clock::now();
        device.loadPiece("bench", oneStrokePiece(kPieceMs));
        state.counters["font_load_ms"] = msSince(loading);
        state.counters["font_rss_mb"] = residentMb() - before;
        state.counters["rss_mb"] = residentMb();
        double cpuBefore = cpuSeconds();
        auto played = std::chrono::steady_clock::now();
        double streamAtPlay = streamMs();
        device.playPiece("bench", true);
        double latest = 0, total = 0;
        int seen = 0;
        pumpUntil(
            [&](int ends) {
                if (ends == seen) return false;
                seen = ends;
                double late = msSince(played) - ends * kPieceMs;
                latest = std::max(latest, late);
                total += late;
                return ends == kLoops;
            },
            "bench");
        state.counters["cpu_percent"] = cpuPercentSince(cpuBefore, played);
        state.counters["stream_pace_percent"] = (streamMs() - streamAtPlay) * 100 / msSince(played);
        state.counters["end_late_mean_ms"] = total / kLoops;
        state.counters["end_late_max_ms"] = latest;
        pumpFor(300, "bench");
        std::vector<size_t> strokes = onsets(readAudioStream(std::getenv("SDL_DISKAUDIOFILE")), kRate / 2);
        double stray = 0;
        for (size_t i = 1; i < strokes.size(); ++i)
            stray = std::max(stray, std::abs((strokes[i] - strokes[i - 1]) * 1000.0 / kRate - kPieceMs));
        state.counters["loop_gap_max_ms"] = stray;
        state.counters["strokes"] = static_cast<double>(strokes.size());
        device.stopPiece("bench");
        double cpuStopped = cpuSeconds();
        auto stopped = std::chrono::steady_clock::now();
        pumpFor(kQuietMs);
        state.counters["cpu_percent_stopped"] = cpuPercentSince(cpuStopped, stopped);
    }
    state.SetLabel(benchWindowSystemName());
}
BENCHMARK(BM_MusicLoopThroughTheDiskDriver)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
