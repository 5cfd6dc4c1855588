#include <cstring>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

const int kLongestCommandName = 100;
const int kShownNameBytes = 50;

[[noreturn]] void commandNameError(const char* name, int length) {
    char shown[kShownNameBytes + 1];
    int keep = sjisPrefixLength(name, length < kShownNameBytes ? length : kShownNameBytes);
    std::memcpy(shown, name, static_cast<size_t>(keep));
    shown[keep] = '\0';
    fatalErrorWith(sjis("[@%s]コマンドの書式が違います"), shown);
}

}  // namespace

void ScriptEngine::scanLabels() {
    pos = 0;
    nameCount = 0;
    while (script[pos] != '\0') {
        uint8_t byte = static_cast<uint8_t>(script[pos]);
        if (byte == '@') {
            // The command name runs up to the next '('; the end of the script counts as a name
            // that never ends.
            const char* name = script + pos + 1;
            int nameLength = 0;
            while (name[nameLength] != '(') {
                if (name[nameLength] == '\0' || nameLength + 1 >= kLongestCommandName)
                    commandNameError(name, nameLength);
                ++nameLength;
            }
            if (nameLength == 4 && std::memcmp(name, "name", 4) == 0) {
                namePos[nameCount++] = pos;
                if (nameCount == kMaxPlaces) fatalError(sjis("@nameの数が多すぎですね。"));
            }
            pos += 1;
        } else if (byte >= 0x80 && script[pos + 1] != '\0') {
            // Every byte from 0x80 up starts a two-byte character here, half-width katakana included;
            // a lead byte standing last is one byte, so the scan never steps over the terminator.
            pos += 2;
        } else {
            pos += 1;
        }
        waitSinceMark(0);
    }
}
