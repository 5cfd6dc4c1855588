#include <cstring>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

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
                    typeCharacter();
                    waitSinceMark(0);
                }
                break;
            case ACTION_CLICK_WAIT:
                pendingAction = ACTION_READ_ON;
                clickWait();
                break;
            case ACTION_PAGE_WAIT:
                pendingAction = ACTION_READ_ON;
                pageWait();
                break;
            case ACTION_CHOICE:
                pendingAction = ACTION_READ_ON;
                waitChoice();
                break;
            default:
                endGame();
                return;
        }
    }
}

namespace {

// Shows the whole character after the '\' (two bytes after a lead byte), and a blank for a '\' at
// the very end rather than the terminator.
[[noreturn]] void unknownEscape(const char* character) {
    char shown[3] = " ";
    int size = sjisPrefixLength(character, 2);
    if (size > 0) {
        std::memcpy(shown, character, static_cast<size_t>(size));
        shown[size] = '\0';
    }
    fatalErrorWith(sjis("\\%s には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"), shown);
}

}  // namespace

void ScriptEngine::handleEscape() {
    const char* after = script + pos + 1;
    char letter = *after;
    // A '\' standing last has the terminator as its letter; never step past the terminator.
    pos += letter == '\0' ? 1 : 2;
    switch (letter) {
        case 'c':
            clickWait();
            break;
        case 'p':
            pageWait();
            break;
        case 'n':
            newLine();
            break;
        case 'd':
            indent();
            break;
        default:
            unknownEscape(after);
    }
}
