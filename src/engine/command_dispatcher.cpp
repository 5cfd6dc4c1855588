#include <cstring>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

const int kCommandNameLimit = 199;
// Error messages show at most this much of a command's text.
const int kShownBytes = 50;

using Handler = void (ScriptEngine::*)();

// The dispatcher's fixed index table; a null entry is consumed without action.
const Handler kHandlers[] = {
    &ScriptEngine::cmdStart,         // 0 start
    &ScriptEngine::cmdBgLoad,        // 1 bgload
    &ScriptEngine::cmdPlLoad,        // 2 plload
    &ScriptEngine::cmdObjLoad,       // 3 objload
    &ScriptEngine::cmdWait,          // 4 wait
    nullptr,                         // 5 name: a place, read by the label scan
    &ScriptEngine::cmdGoto,          // 6 goto
    &ScriptEngine::cmdText,          // 7 text
    &ScriptEngine::cmdDamage,        // 8 damage
    &ScriptEngine::cmdSelect,        // 9 select
    &ScriptEngine::cmdFlag,          // 10 flag
    &ScriptEngine::cmdFlagRandom,    // 11 flagrnd
    &ScriptEngine::cmdFlagTo,        // 12 flagto
    &ScriptEngine::cmdFlagSelect,    // 13 flagselect
    &ScriptEngine::cmdFlagToSelect,  // 14 flagtoselect
    &ScriptEngine::cmdObjLoadXy,     // 15 objloadxy
    &ScriptEngine::cmdObjLoadF,      // 16 objloadf
    &ScriptEngine::cmdWaitClick,     // 17 waitclick
    &ScriptEngine::cmdTitle,         // 18 title
    &ScriptEngine::cmdFlagClear,     // 19 flagclear
    &ScriptEngine::cmdOut,           // 20 out
    &ScriptEngine::cmdMidi,          // 21 midi
    &ScriptEngine::cmdSound,         // 22 sound
    &ScriptEngine::cmdFlash,         // 23 flash
    &ScriptEngine::cmdPlLoadF,       // 24 plloadf
    &ScriptEngine::cmdTextColor,     // 25 textcolor
    &ScriptEngine::cmdTextEnd,       // 26 textend
    &ScriptEngine::cmdSetTrans,      // 27 settrans
};
const int kHandlerCount = sizeof kHandlers / sizeof kHandlers[0];

// Reports a command whose text runs into the end of the script or past what args holds.
[[noreturn]] void commandTextError(const char* message, const char* text) {
    char shown[kShownBytes + 1];
    int length = sjisPrefixLength(text, kShownBytes);
    std::memcpy(shown, text, static_cast<size_t>(length));
    shown[length] = '\0';
    fatalErrorWith(sjis(message), shown);
}

}  // namespace

void ScriptEngine::dispatchCommand() {
    const char* start = script + pos + 1;
    const char* paren = std::strchr(start, '(');
    if (!paren) commandTextError("[@%s]コマンドの書式が違います", start);
    char name[kCommandNameLimit + 1];
    size_t nameLength = static_cast<size_t>(paren - start);
    if (nameLength > kCommandNameLimit) nameLength = kCommandNameLimit;
    std::memcpy(name, start, nameLength);
    name[nameLength] = '\0';
    int index = 0;
    while (index < g_commandCount && std::strcmp(name, g_commands[index]) != 0)
        ++index;
    if (index == g_commandCount) fatalErrorWith(sjis("指定された関数が見つかりません[%s]"), name);
    extractArgs();
    Handler handler = index < kHandlerCount ? kHandlers[index] : nullptr;
    if (handler) (this->*handler)();
}

void ScriptEngine::extractArgs() {
    const char* command = script + pos;
    int32_t count = 0;
    for (;;) {
        char c = script[pos];
        if (c == '\0') commandTextError("[%s]関数の閉じ括弧')'が見つかりません", command);
        if (count == kArgsBytes - 1) commandTextError("[%s]関数の引数が長すぎます（999文字まで）", command);
        args[count++] = c;
        ++pos;
        if (c == ')') break;
        waitSinceMark(0);
    }
    args[count - 1] = '\0';
    if (script[pos] != ';') fatalErrorWith(sjis("[%s]関数の後にはセミコロン';'を付けましょう"), args);
    ++pos;
    char* paren = std::strchr(args, '(');
    char* p = args;
    for (; *p && p != paren; ++p) {
        *p = ' ';
        waitSinceMark(0);
    }
    if (*p == '(') *p++ = ' ';
    for (; *p; ++p) {
        if (*p == ',' || *p == '"') *p = ' ';
    }
}
