// The sequencer that runs in the audio thread: it sends each event of the playing piece to the
// synthesizer at its own sample, splitting a block of audio wherever events fall, and ends or restarts
// the piece at the exact sample of its end, so that a loop has no gap. The main thread loads, plays and
// stops pieces. Every play request gets a new generation number, and a stop or a replaced piece another:
// an end reported with an older one belongs to a play that is over and is never taken.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/private/midi_synth.h"
#include "platform/formats/midi_file.h"

class MidiSequencer {
public:
    explicit MidiSequencer(int rate) : rate_(rate) {}
    MidiSequencer(const MidiSequencer&) = delete;
    MidiSequencer& operator=(const MidiSequencer&) = delete;

    // The main thread's side, as the sound device's operations of the same names. Without a synthesizer
    // (none set, or a sound font that could not be loaded) pieces play in silence on the same timing.
    void useSynth(MidiSynth* synth);
    void load(const std::string& name, MidiPiece&& piece);
    void unload(const std::string& name);
    void play(const std::string& name, bool notify);
    void rewind(const std::string& name);
    void stop(const std::string& name);
    // Whether an end reported with this generation belongs to the current play request; then the name
    // of its piece, and whether the piece started again (it plays with notify).
    bool takeEnd(uint32_t generation, std::string& name, bool& startsAgain);

    // The audio thread's side: the next frames of stereo sound, as the synthesizer renders them (with
    // stereo null, the time alone passes), and the generation of the play request whose piece reached
    // its end in them, if one did; a piece that reaches its end with the last frame ends in the same call.
    // At most one end per call, so that an empty piece cannot end again and again without time passing.
    std::optional<uint32_t> render(float* stereo, int frames);
    // The frames from the playing piece's place to its end; none when no piece plays.
    std::optional<int64_t> framesToEnd() const;

private:
    struct Piece {
        MidiPiece midi;
        std::vector<int64_t> eventFrames;  // each event's sample, from the start
        int64_t lengthFrames = 0;
        int64_t position = 0;  // kept when the piece stops, so that it goes on from there
        size_t nextEvent = 0;
    };
    using Pieces = std::map<std::string, Piece>;

    int64_t frameOf(int64_t timeNs) const;
    Pieces::node_type takeOut(const std::string& name);
    void stopPlaying();
    void sendDueEvents(Piece& piece);
    int64_t nextStop(const Piece& piece) const;
    void endPiece(Piece& piece);
    void renderFrames(float* stereo, int frames);

    const int rate_;
    mutable std::mutex lock_;  // guards everything below
    MidiSynth* synth_ = nullptr;
    Pieces pieces_;
    Pieces::iterator playing_ = pieces_.end();
    std::string requested_;  // the piece of the current play request
    uint32_t generation_ = 0;
    bool notify_ = false;
    bool restartedAtEnd_ = false;  // an end was taken and the owner's rewind is still to come
    bool silencePending_ = false;  // the audio thread cuts what sounds before its next frames
};
