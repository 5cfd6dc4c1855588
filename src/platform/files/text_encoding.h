// Shift-JIS (code page 932) is the engine's text; the sources, the terminal and the desktop speak UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The Shift-JIS form of a UTF-8 text written in the sources. Converted once per text and kept for the
// life of the process, so callers may hold the result; a character that Shift-JIS cannot write
// becomes '?'.
const char* sjis(const char* utf8);

// Converts Shift-JIS bytes to UTF-8. Bytes that are not Shift-JIS become '?'; the output is always
// terminated and cut to outSize.
void sjisToUtf8(const char* sjisText, char* out, size_t outSize);

// Converts UTF-8 to Shift-JIS; false when the text cannot be written in Shift-JIS or does not fit.
bool utf8ToSjis(const char* utf8, char* out, size_t outSize);
// Converts UTF-8 to Shift-JIS as far as it can: what Shift-JIS cannot write becomes '?'.
std::string utf8ToSjisLenient(const char* utf8);

// A name that may be written either way, as folder names are in the game table and in start.dat, as
// UTF-8: kept when it is valid UTF-8 already, else read as Shift-JIS.
std::string nameToUtf8(const char* name);

// A Shift-JIS name as an unpacking tool writes it out in UTF-8 when it takes the name for one of the
// single-byte code pages of a western Windows or DOS: each byte a character of its own.
enum class MisreadPage { Cp437, Cp1252 };
std::string misreadName(const std::string& sjisName, MisreadPage page);

// The Unicode character of the Shift-JIS character at text, and its length in bytes (1 or 2). A lead
// byte without a trail byte is one byte long; bytes that are no character give U+FFFD.
uint32_t sjisCharacter(const unsigned char* text, int& length);
