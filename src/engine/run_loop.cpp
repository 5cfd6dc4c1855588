#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

// Until the message window exists, prose is read over: a character is two bytes when it starts with
// a lead byte, except a lead byte standing last in the script, which is one.
int32_t characterLength(const char* at) {
    return isLeadByte(static_cast<uint8_t>(at[0])) && at[1] != '\0' ? 2 : 1;
}

}  // namespace

void ScriptEngine::runScript() {
    g_leftClicked = 0;
    pendingAction = ACTION_READ_ON;
    for (;;) {
        switch (pendingAction) {
            case ACTION_READ_ON:
                if (script[pos] == '\0' || pos >= length) {
                    endGame();
                    return;
                }
                if (script[pos] == '@') {
                    dispatchCommand();
                } else if (script[pos] == '\\') {
                    handleEscape();
                } else {
                    if (g_leftClicked) skipTyping = 1;
                    pos += characterLength(script + pos);
                    waitSinceMark(0);
                }
                break;
            case ACTION_CLICK_WAIT:
            case ACTION_PAGE_WAIT:
            case ACTION_CHOICE:
                pendingAction = ACTION_READ_ON;
                break;
            default:
                endGame();
                return;
        }
    }
}

void ScriptEngine::handleEscape() {
    char letter = script[pos + 1];
    // A '\' standing last has the terminator as its letter; never step past the terminator.
    pos += letter == '\0' ? 1 : 2;
    switch (letter) {
        case 'c':
        case 'p':
        case 'n':
        case 'd':
            break;
        default:
            // A '\' at the very end is shown followed by a blank rather than by the terminator.
            fatalErrorf(sjis("\\%c には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"), letter == '\0' ? ' ' : letter);
    }
}
