#include "engine/script_reading.h"

#include <cstdio>
#include <cstring>

#include "platform/files/text_encoding.h"

namespace {

const int kLongestCommandName = 100;
const int kCommandNameLimit = 199;
// Messages show at most this much of a command's text.
const int kShownBytes = 50;
const char* const kReservedPlaces[] = {"loadstart", "fileinit", "end", "0"};

void step(ReadingStep readingStep) {
    if (readingStep) readingStep();
}

bool fail(ScriptFault& fault, const char* utf8Format, const char* value = "", int maxBytes = kArgsBytes - 1) {
    fault.format = sjis(utf8Format);
    int length = sjisPrefixLength(value, maxBytes);
    std::memcpy(fault.value, value, static_cast<size_t>(length));
    fault.value[length] = '\0';
    return false;
}

}  // namespace

bool scanPlaces(const char* script, int32_t* namePos, int32_t& count, ScriptFault& fault,
                ReadingStep readingStep) {
    count = 0;
    for (int32_t pos = 0; script[pos] != '\0';) {
        uint8_t byte = static_cast<uint8_t>(script[pos]);
        if (byte == '@') {
            // The name runs up to the next '('; the end of the script is a name that never ends.
            const char* name = script + pos + 1;
            int nameLength = 0;
            fault.at = pos;
            while (name[nameLength] != '(') {
                if (name[nameLength] == '\0' || nameLength + 1 >= kLongestCommandName)
                    return fail(fault, "[@%s]コマンドの書式が違います", name,
                                nameLength < kShownBytes ? nameLength : kShownBytes);
                ++nameLength;
            }
            if (nameLength == 4 && std::memcmp(name, "name", 4) == 0) {
                namePos[count++] = pos;
                if (count == kMaxPlaces) return fail(fault, "@nameの数が多すぎですね。");
            }
            pos += 1;
        } else if (byte >= 0x80 && script[pos + 1] != '\0') {
            // A lead byte standing last is one byte, so the scan never steps over the terminator.
            pos += 2;
        } else {
            pos += 1;
        }
        step(readingStep);
    }
    return true;
}

int findCommand(const char* script, int32_t at, ScriptFault& fault) {
    const char* start = script + at + 1;
    const char* paren = std::strchr(start, '(');
    if (!paren) return fail(fault, "[@%s]コマンドの書式が違います", start, kShownBytes), -1;
    char name[kCommandNameLimit + 1];
    size_t nameLength = static_cast<size_t>(paren - start);
    if (nameLength > kCommandNameLimit) nameLength = kCommandNameLimit;
    std::memcpy(name, start, nameLength);
    name[nameLength] = '\0';
    for (int index = 0; index < g_commandCount; ++index) {
        if (std::strcmp(name, g_commands[index]) == 0) return index;
    }
    return fail(fault, "指定された関数が見つかりません[%s]", name), -1;
}

bool extractArguments(const char* script, int32_t& pos, char* args, ScriptFault& fault,
                      ReadingStep readingStep) {
    const char* command = script + pos;
    int32_t count = 0;
    for (;;) {
        char c = script[pos];
        if (c == '\0') return fail(fault, "[%s]関数の閉じ括弧')'が見つかりません", command, kShownBytes);
        if (count == kArgsBytes - 1)
            return fail(fault, "[%s]関数の引数が長すぎます（999文字まで）", command, kShownBytes);
        args[count++] = c;
        ++pos;
        if (c == ')') break;
        step(readingStep);
    }
    args[count - 1] = '\0';
    if (script[pos] != ';') return fail(fault, "[%s]関数の後にはセミコロン';'を付けましょう", args);
    ++pos;
    char* paren = std::strchr(args, '(');
    char* p = args;
    for (; *p && p != paren; ++p) {
        *p = ' ';
        step(readingStep);
    }
    if (*p == '(') *p++ = ' ';
    for (; *p; ++p) {
        if (*p == ',' || *p == '"') *p = ' ';
    }
    return true;
}

int32_t findPlace(const char* script, const int32_t* namePos, int32_t count, const char* place,
                  ScriptFault& fault, ReadingStep readingStep) {
    char args[kArgsBytes], name[kNameBytes];
    for (int32_t i = 0; i < count; ++i) {
        int32_t pos = namePos[i];
        if (!extractArguments(script, pos, args, fault, readingStep)) return -1;
        if (std::sscanf(args, "%255s", name) == 1 && std::strcmp(name, place) == 0) return pos;
        step(readingStep);
    }
    return fail(fault, "[%s]指定された場所名が見つかりません", place), -1;
}

bool isReservedPlace(const char* place) {
    for (const char* reserved : kReservedPlaces) {
        if (std::strcmp(place, reserved) == 0) return true;
    }
    return false;
}

// A '\' standing last has the terminator as its letter, shown as a blank; the pos never steps past the
// terminator. An unknown letter is shown whole, two bytes after a lead byte, and alone.
bool readEscape(const char* script, int32_t& pos, char& letter, ScriptFault& fault) {
    const char* after = script + pos + 1;
    letter = *after;
    pos += letter == '\0' ? 1 : 2;
    if (letter != '\0' && std::strchr("cpnd", letter)) return true;
    return fail(fault, "\\%s には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ",
                sjisPrefixLength(after, 2) > 0 ? after : " ", typedCharacterBytes(after));
}
