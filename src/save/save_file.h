// The bookmark file: the whole running state in the fixed little-endian layout the engine has always
// written, so that a bookmark written here loads there and one written there loads here, byte for
// byte. Files are written whole and never trusted: a file is checked against every rule before
// anything of the running game changes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

const size_t kSaveFileBytes = 773697;
const size_t kSaveFileWithChoicesBytes = 778978;
const int32_t kSaveWaitChoice = 2;

// The eight bytes the bookmark list shows.
// The header's year byte counts the years since this one, as the C library's calendar does.
const int kSavedYearBase = 1900;

struct SaveHeader {
    uint8_t year;  // calendar year − 1900, low 8 bits
    uint8_t month;
    uint8_t day;
    uint8_t playthrough;
    uint32_t playTimeMs;
};

// The running state as the file lays it out, after the header: the engine's fields, the text layer,
// the character layer and the left half of the centre layer, the names of the background, the music
// and the wave channels 0–9 with their flags and pans, the base palette, the exempt entries, the
// wait kind and, at a choice, the choice menu.
std::string encodeSaveFile(const SaveHeader& header, int32_t waitKind);

// Whether the bytes may be loaded into the engine with a script of scriptLength characters: nullptr
// when they may, else a short description of the first rule they break (for the trace).
const char* checkSaveFile(const std::vector<uint8_t>& bytes, int32_t scriptLength);

// The header of a file of at least 8 bytes.
SaveHeader decodeSaveHeader(const uint8_t* bytes);

// Puts a checked file back into the engine state, the three slots, the wave channels' records (their
// names, flags and pans; the sounds themselves are restarted by the caller) and the palette tables;
// returns the wait kind.
int32_t decodeSaveFile(const std::vector<uint8_t>& bytes);
