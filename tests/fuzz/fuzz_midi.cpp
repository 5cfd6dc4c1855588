// MIDI files: the reader, then the sequencer playing the piece on a synthesizer that checks every
// event it is sent, for up to twenty seconds of sound and two passes through a looping piece.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/audio/private/midi_sequencer.h"
#include "platform/audio/private/midi_synth.h"
#include "platform/formats/midi_file.h"

namespace {

const int kRate = 44100;
const int kBlockFrames = 4096;
const int kMaxBlocks = 20 * kRate / kBlockFrames;

class CheckingSynth : public MidiSynth {
public:
    void send(const MidiEvent& event, const std::vector<uint8_t>& sysex) override {
        if (event.status == 0xF0) {
            if (event.sysexOffset > sysex.size() || event.sysexSize > sysex.size() - event.sysexOffset)
                __builtin_trap();
            for (uint32_t i = 0; i < event.sysexSize; ++i)
                checksum_ += sysex[event.sysexOffset + i];
            return;
        }
        if (event.status < 0x80 || event.status > 0xEF || event.data1 > 0x7F || event.data2 > 0x7F) {
            fprintf(stderr, "bad event %02x %02x %02x\n", event.status, event.data1, event.data2);
            __builtin_trap();
        }
    }
    void releaseNotes() override {}
    void silence() override {}
    void render(float* stereo, int frames) override {
        if (frames > 0) stereo[2 * frames - 1] = static_cast<float>(checksum_);
    }

private:
    uint32_t checksum_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MidiPiece piece;
    if (!parseMidiFile(data, size, piece)) return 0;
    for (size_t i = 1; i < piece.events.size(); ++i)
        if (piece.events[i].timeNs < piece.events[i - 1].timeNs) __builtin_trap();
    if (!piece.events.empty() && piece.events.back().timeNs > piece.lengthNs) __builtin_trap();
    CheckingSynth synth;
    MidiSequencer sequencer(kRate);
    sequencer.useSynth(&synth);
    sequencer.load("piece", std::move(piece));
    sequencer.play("piece", true);
    std::vector<float> block(2 * kBlockFrames);
    int ends = 0;
    for (int b = 0; b < kMaxBlocks && ends < 2; ++b) {
        std::optional<uint32_t> end = sequencer.render(block.data(), kBlockFrames);
        if (!end) continue;
        std::string name;
        bool startsAgain = false;
        if (sequencer.takeEnd(*end, name, startsAgain)) ++ends;
    }
    sequencer.stop("piece");
    sequencer.unload("piece");
    return 0;
}
