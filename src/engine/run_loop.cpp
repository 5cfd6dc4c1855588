#include "engine/script_engine.h"
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

void ScriptEngine::handleEscape() {
    char letter = script[pos + 1];
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
            // A '\' at the very end is shown followed by a blank rather than by the terminator.
            fatalErrorf(sjis("\\%c には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"), letter == '\0' ? ' ' : letter);
    }
}
