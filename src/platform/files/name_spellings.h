// How a name that a script writes in Shift-JIS may be spelt where the game's files lie: as written, in
// UTF-8, or as an unpacking tool mangled it (the Shift-JIS bytes read as CP437 or Windows-1252 and
// written out in UTF-8); always without regard to the case of ASCII letters.
#pragma once
#include <string>
#include <vector>

// The spellings to try, the name as written first, without repeats.
std::vector<std::string> nameSpellings(const std::string& sjisName);
// Whether a name found on disk or in an archive is one of the spellings.
bool matchesASpelling(const std::string& found, const std::vector<std::string>& spellings);
bool sameIgnoringAsciiCase(const char* a, const char* b);
