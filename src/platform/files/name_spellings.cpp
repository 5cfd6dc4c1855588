#include "platform/files/name_spellings.h"

#include <algorithm>
#include <cstring>

#include "platform/files/text_encoding.h"

namespace {

// The longest name a folder may hold, in UTF-8 at three bytes a Shift-JIS byte.
const size_t kNameBytes = 1024;

}  // namespace

std::vector<std::string> nameSpellings(const std::string& sjisName) {
    char utf8[kNameBytes];
    sjisToUtf8(sjisName.c_str(), utf8, sizeof utf8);
    std::vector<std::string> spellings;
    for (const std::string& spelling :
         {sjisName, std::string(utf8), misreadName(sjisName, MisreadPage::Cp437),
          misreadName(sjisName, MisreadPage::Cp1252)}) {
        if (std::find(spellings.begin(), spellings.end(), spelling) == spellings.end())
            spellings.push_back(spelling);
    }
    return spellings;
}

bool matchesASpelling(const std::string& found, const std::vector<std::string>& spellings) {
    for (const std::string& spelling : spellings) {
        if (sameIgnoringAsciiCase(found.c_str(), spelling.c_str())) return true;
    }
    return false;
}

bool sameIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return *a == *b;
}
