// How the engine reads a script's commands: the place scan, a command's name and its argument text,
// an escape, a character to type. The engine and the script checker read scripts through these alone,
// so that --check says what the player would; each says what went wrong rather than stopping, and the
// engine then stops with that message.
#pragma once
#include <cstdint>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"

// A message of the engine's (Shift-JIS), and the value that takes the place of its %s.
struct ScriptFault {
    const char* format = nullptr;
    char value[kArgsBytes] = {};
    int32_t at = 0;  // where the place scan met it
};

// Called at every step of a reading: the engine lets the window breathe there, as it always did,
// which is part of its timing. Null for none.
using ReadingStep = void (*)();

// The positions of every "@name(" as the place scan finds them. The scan takes every byte from 0x80
// up as the first of two, half-width katakana included, unlike the run loop: an '@' right after such a
// byte is no place. False at a command whose name never reaches its '(', or at too many places.
bool scanPlaces(const char* script, int32_t* namePos, int32_t& count, ScriptFault& fault, ReadingStep step);

// The row of the command table that the command at script[at] (its '@') names; -1 with the fault when
// it names none.
int findCommand(const char* script, int32_t at, ScriptFault& fault);

// The argument text of the command at script[pos], as the handlers read it: the command's text from its
// '@' to its ')', the name and the '(' blanked, ',' and '"' made blanks. Moves pos past the ';'.
bool extractArguments(const char* script, int32_t& pos, char* args, ScriptFault& fault, ReadingStep step);

// Where the run loop goes on after a jump to the place: past the first "@name(place);" of the scan's
// positions. -1 when no place has the name, or with the fault of a name command that cannot be read.
int32_t findPlace(const char* script, const int32_t* namePos, int32_t count, const char* place,
                  ScriptFault& fault, ReadingStep step);
// The names a jump takes without a place of the script's: the bookmark menus, the end, and 0 (on).
bool isReservedPlace(const char* place);

// The escape at script[pos] (its '\'): its letter, with pos moved past it; false with the fault for a
// letter the engine has no escape for.
bool readEscape(const char* script, int32_t& pos, char& letter, ScriptFault& fault);

// The bytes of the character the message display types at text: two from a lead byte, but a lead byte
// standing last is one.
inline int32_t typedCharacterBytes(const char* text) {
    return isLeadByte(static_cast<uint8_t>(text[0])) && text[1] != '\0' ? 2 : 1;
}
