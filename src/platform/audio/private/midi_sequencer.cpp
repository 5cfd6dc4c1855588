#include "platform/audio/private/midi_sequencer.h"

#include <algorithm>
#include <cstring>

namespace {

const int64_t kNanosecondsPerSecond = 1000000000;

}  // namespace

// Whole seconds and the rest apart, so that no length a file can give overflows.
int64_t MidiSequencer::frameOf(int64_t timeNs) const {
    timeNs = std::max<int64_t>(timeNs, 0);
    int64_t seconds = timeNs / kNanosecondsPerSecond;
    int64_t rest = timeNs % kNanosecondsPerSecond;
    return seconds * rate_ + (rest * rate_ + kNanosecondsPerSecond / 2) / kNanosecondsPerSecond;
}

void MidiSequencer::useSynth(MidiSynth* synth) {
    std::lock_guard<std::mutex> hold(lock_);
    synth_ = synth;
}

// The piece is prepared, and the one it replaces freed, outside the lock: the audio thread waits for
// nothing but the swap.
void MidiSequencer::load(const std::string& name, MidiPiece&& midi) {
    Pieces incoming;
    Piece& piece = incoming[name];
    piece.eventFrames.reserve(midi.events.size());
    for (const MidiEvent& event : midi.events)
        piece.eventFrames.push_back(frameOf(event.timeNs));
    piece.lengthFrames = frameOf(midi.lengthNs);
    piece.midi = std::move(midi);
    Pieces::node_type replaced;
    std::lock_guard<std::mutex> hold(lock_);
    replaced = takeOut(name);
    pieces_.insert(incoming.extract(incoming.begin()));
}

void MidiSequencer::unload(const std::string& name) {
    Pieces::node_type unloaded;
    std::lock_guard<std::mutex> hold(lock_);
    unloaded = takeOut(name);
}

MidiSequencer::Pieces::node_type MidiSequencer::takeOut(const std::string& name) {
    auto piece = pieces_.find(name);
    if (piece == pieces_.end()) return {};
    if (piece == playing_) stopPlaying();
    return pieces_.extract(piece);
}

void MidiSequencer::play(const std::string& name, bool notify) {
    std::lock_guard<std::mutex> hold(lock_);
    auto piece = pieces_.find(name);
    if (piece == pieces_.end()) return;
    if (piece != playing_ && playing_ != pieces_.end()) stopPlaying();
    ++generation_;
    requested_ = name;
    notify_ = notify;
    playing_ = piece;
}

// Right after an end the piece plays from its start already; the owner's rewind then changes nothing,
// or the loop would start a second time a moment late.
void MidiSequencer::rewind(const std::string& name) {
    std::lock_guard<std::mutex> hold(lock_);
    auto piece = pieces_.find(name);
    if (piece == pieces_.end()) return;
    if (piece == playing_ && restartedAtEnd_) {
        restartedAtEnd_ = false;
        return;
    }
    piece->second.position = 0;
    piece->second.nextEvent = 0;
    if (piece == playing_) silencePending_ = true;
}

void MidiSequencer::stop(const std::string& name) {
    std::lock_guard<std::mutex> hold(lock_);
    if (playing_ != pieces_.end() && playing_->first == name) stopPlaying();
}

void MidiSequencer::stopPlaying() {
    ++generation_;
    playing_ = pieces_.end();
    restartedAtEnd_ = false;
    silencePending_ = true;
}

bool MidiSequencer::takeEnd(uint32_t generation, std::string& name, bool& startsAgain) {
    std::lock_guard<std::mutex> hold(lock_);
    if (generation != generation_) return false;
    name = requested_;
    startsAgain = notify_;
    restartedAtEnd_ = notify_;
    return true;
}

std::optional<uint32_t> MidiSequencer::render(float* stereo, int frames) {
    std::lock_guard<std::mutex> hold(lock_);
    if (silencePending_ && synth_) synth_->silence();
    silencePending_ = false;
    std::optional<uint32_t> ended;
    for (int done = 0; done < frames;) {
        int step = frames - done;
        if (playing_ != pieces_.end()) {
            Piece& piece = playing_->second;
            sendDueEvents(piece);
            if (piece.position < piece.lengthFrames) {
                step = static_cast<int>(std::min<int64_t>(step, nextStop(piece) - piece.position));
                piece.position += step;
            } else if (!ended) {
                ended = generation_;
                endPiece(piece);
                continue;
            }
        }
        if (stereo) renderFrames(stereo + 2 * done, step);
        done += step;
    }
    if (!ended && playing_ != pieces_.end() && playing_->second.position >= playing_->second.lengthFrames) {
        ended = generation_;
        endPiece(playing_->second);
    }
    return ended;
}

std::optional<int64_t> MidiSequencer::framesToEnd() const {
    std::lock_guard<std::mutex> hold(lock_);
    if (playing_ == pieces_.end()) return std::nullopt;
    return std::max<int64_t>(playing_->second.lengthFrames - playing_->second.position, 0);
}

void MidiSequencer::sendDueEvents(Piece& piece) {
    for (; piece.nextEvent < piece.eventFrames.size(); ++piece.nextEvent) {
        if (piece.eventFrames[piece.nextEvent] > piece.position) return;
        if (synth_) synth_->send(piece.midi.events[piece.nextEvent], piece.midi.sysex);
    }
}

int64_t MidiSequencer::nextStop(const Piece& piece) const {
    if (piece.nextEvent == piece.eventFrames.size()) return piece.lengthFrames;
    return std::min(piece.eventFrames[piece.nextEvent], piece.lengthFrames);
}

// A piece played with notify starts again on this very sample; one played without it falls silent.
void MidiSequencer::endPiece(Piece& piece) {
    if (synth_) synth_->releaseNotes();
    piece.position = 0;
    piece.nextEvent = 0;
    if (!notify_) playing_ = pieces_.end();
}

void MidiSequencer::renderFrames(float* stereo, int frames) {
    if (synth_)
        synth_->render(stereo, frames);
    else
        std::memset(stereo, 0, static_cast<size_t>(frames) * 2 * sizeof *stereo);
}
