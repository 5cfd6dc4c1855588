// The sequencer the audio thread runs, on a synthesizer that writes down the sample of everything it
// is sent. At 1000 frames a second one frame is one millisecond of the piece.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/audio/private/midi_sequencer.h"

namespace {

const int kRate = 1000;
const int64_t kNsPerFrame = 1000000;
const uint8_t kNoteOn = 0x90, kNoteOff = 0x80, kController = 0xB0;

class RecordingSynth : public MidiSynth {
public:
    void send(const MidiEvent& event, const std::vector<uint8_t>&) override {
        log.push_back(std::to_string(frames) + " " + std::to_string(event.status) + "/" +
                      std::to_string(event.data1));
    }
    void releaseNotes() override { log.push_back(std::to_string(frames) + " release"); }
    void silence() override { log.push_back(std::to_string(frames) + " silence"); }
    void render(float* stereo, int count) override {
        for (int i = 0; i < 2 * count; ++i)
            stereo[i] = 1;
        frames += count;
    }

    int64_t frames = 0;
    std::vector<std::string> log;
};

// Each event is {frame, status, key}.
MidiPiece piece(std::initializer_list<std::vector<int>> events, int lengthFrames) {
    MidiPiece out;
    for (const std::vector<int>& e : events)
        out.events.push_back(
            {e[0] * kNsPerFrame, static_cast<uint8_t>(e[1]), static_cast<uint8_t>(e[2]), 64, 0, 0});
    out.lengthNs = lengthFrames * kNsPerFrame;
    return out;
}

struct Rig {
    Rig() { sequencer.useSynth(&synth); }
    // Renders blocks of the given size; the generation of each end, -1 for a block without one.
    std::vector<int64_t> render(int blocks, int frames) {
        std::vector<int64_t> ends;
        std::vector<float> buffer(2 * static_cast<size_t>(frames));
        for (int i = 0; i < blocks; ++i) {
            std::optional<uint32_t> end = sequencer.render(buffer.data(), frames);
            ends.push_back(end ? static_cast<int64_t>(*end) : -1);
        }
        return ends;
    }
    bool take(int64_t generation, std::string& name, bool& again) {
        return sequencer.takeEnd(static_cast<uint32_t>(generation), name, again);
    }

    RecordingSynth synth;
    MidiSequencer sequencer{kRate};
};

}  // namespace

TEST(MidiSequencer, SendsEachEventOnItsOwnSampleInsideABlockAndFallsSilentOnceAtTheEnd) {
    Rig rig;
    rig.sequencer.load("bgm", piece({{3, kNoteOn, 60}, {7, kController, 7}, {7, kNoteOff, 60}}, 10));
    rig.sequencer.play("bgm", false);
    std::vector<int64_t> ends = rig.render(4, 4);
    EXPECT_EQ(rig.synth.log, (std::vector<std::string>{"3 144/60", "7 176/7", "7 128/60", "10 release"}));
    EXPECT_EQ(ends[0], -1);
    EXPECT_NE(ends[2], -1);
    EXPECT_EQ(ends[3], -1);
    EXPECT_EQ(rig.synth.frames, 16);  // the tails ring on
    std::string name;
    bool again = true;
    EXPECT_TRUE(rig.take(ends[2], name, again));
    EXPECT_EQ(name, "bgm");
    EXPECT_FALSE(again);
}

TEST(MidiSequencer, WithNotifyStartsAgainOnTheEndSampleAndTheOwnersRewindAfterTheEndChangesNothing) {
    Rig rig;
    rig.sequencer.load("bgm", piece({{0, kNoteOn, 60}, {2, kNoteOff, 60}}, 5));
    rig.sequencer.play("bgm", true);
    int64_t end = rig.render(1, 8)[0];
    std::string name;
    bool again = false;
    ASSERT_TRUE(rig.take(end, name, again));
    EXPECT_TRUE(again);
    rig.sequencer.rewind("bgm");
    rig.sequencer.play("bgm", true);
    rig.render(1, 4);
    EXPECT_EQ(rig.synth.log, (std::vector<std::string>{"0 144/60", "2 128/60", "5 release", "5 144/60",
                                                       "7 128/60", "10 release", "10 144/60"}));
    // Only the first rewind after an end is the owner's answer to it.
    rig.sequencer.rewind("bgm");
    rig.render(1, 1);
    EXPECT_EQ(rig.synth.log.back(), "12 144/60");
}

TEST(MidiSequencer, AnEndOfAPlayThatWasStoppedReplacedOrPlayedAgainIsNotTaken) {
    const std::vector<void (*)(MidiSequencer&)> afterTheEnd = {
        [](MidiSequencer& s) { s.stop("bgm"); },
        [](MidiSequencer& s) { s.play("bgm", true); },
        [](MidiSequencer& s) { s.load("bgm", piece({}, 5)); },
        [](MidiSequencer& s) { s.unload("bgm"); },
    };
    for (size_t i = 0; i < afterTheEnd.size(); ++i) {
        Rig rig;
        rig.sequencer.load("bgm", piece({{0, kNoteOn, 60}}, 5));
        rig.sequencer.play("bgm", true);
        int64_t end = rig.render(1, 6)[0];
        afterTheEnd[i](rig.sequencer);
        std::string name;
        bool again = false;
        EXPECT_FALSE(rig.take(end, name, again)) << i;
        // Nor is the next rewind taken for the owner's answer to it.
        rig.sequencer.rewind("bgm");
        rig.sequencer.play("bgm", true);
        rig.render(1, 1);
        bool stillLoaded = i < 2;
        EXPECT_EQ(rig.synth.log.back() == "6 144/60", stillLoaded) << i;
    }
}

TEST(MidiSequencer, StopGoesOnFromTheSamePlaceAndCutsWhatSounds) {
    Rig rig;
    rig.sequencer.load("bgm", piece({{2, kNoteOn, 60}, {6, kNoteOn, 62}}, 10));
    rig.sequencer.play("bgm", true);
    rig.render(1, 4);
    rig.sequencer.stop("bgm");
    rig.render(1, 4);
    rig.sequencer.play("bgm", true);
    rig.render(1, 4);
    EXPECT_EQ(rig.synth.log, (std::vector<std::string>{"2 144/60", "4 silence", "10 144/62"}));
}

TEST(MidiSequencer, AnEmptyPieceEndsOncePerBlock) {
    Rig rig;
    rig.sequencer.load("bgm", piece({{0, kNoteOn, 60}}, 0));
    rig.sequencer.play("bgm", true);
    std::vector<int64_t> ends = rig.render(3, 64);
    EXPECT_EQ(ends[0], ends[2]);
    EXPECT_NE(ends[1], -1);
    EXPECT_EQ(rig.synth.frames, 3 * 64);
    EXPECT_EQ(rig.synth.log, (std::vector<std::string>{"0 144/60", "0 release", "0 144/60", "64 release",
                                                       "64 144/60", "128 release", "128 144/60"}));
}

TEST(MidiSequencer, WithoutASynthesizerKeepsTheTimeOfThePieceInSilence) {
    MidiSequencer sequencer(kRate);
    sequencer.load("bgm", piece({{0, kNoteOn, 60}}, 5));
    sequencer.play("bgm", true);
    std::vector<float> buffer(8, 7);
    EXPECT_FALSE(sequencer.render(buffer.data(), 4).has_value());
    EXPECT_TRUE(sequencer.render(buffer.data(), 4).has_value());
    EXPECT_EQ(buffer, std::vector<float>(8, 0));
}
