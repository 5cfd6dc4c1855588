// Standard MIDI files as the sequencer plays them: the events of every track merged into one list in
// time order, their times worked out through the tempo map.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct MidiEvent {
    int64_t timeNs;  // from the start of the piece
    // A channel message (0x80–0xEF, running status resolved) with its one or two data bytes, or 0xF0: a
    // system exclusive message whose bytes (without the leading F0 and the trailing F7) lie at
    // sysexOffset in MidiPiece::sysex. Only messages written whole, F0 … F7 in one packet, are kept:
    // F7 packets and the first packet of a divided message are dropped.
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
    uint32_t sysexOffset;
    uint32_t sysexSize;
};

struct MidiPiece {
    // In time order; events of the same time keep the order of their tracks, and within a track the
    // order of the file.
    std::vector<MidiEvent> events;
    std::vector<uint8_t> sysex;
    int64_t lengthNs = 0;  // the time of the latest end of track
};

// False for anything the sequencer cannot play: no standard MIDI file (plain or wrapped in RIFF RMID),
// format 2, no tracks, a track that runs past the end of the file, an event that runs past the end of
// its track or cannot be read (a status byte where a data byte belongs), a division of 0 or an SMPTE
// frame rate other than 24, 25, 29.97 and 30.
// What real files do is read as they mean it: a header longer than six bytes, chunks of other kinds,
// bytes after the last chunk, an RMID whose RIFF size is wrong, a track without an end of track (it
// ends at its last event), running status that goes on after a meta event.
bool parseMidiFile(const uint8_t* data, size_t size, MidiPiece& out);
// Reads a game's file (found as the game files are) and parses it.
bool readMidiFile(const char* sjisName, MidiPiece& out);
