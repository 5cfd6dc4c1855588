#include <cstring>

#include "engine/reading.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
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
                    Reading::Typing typing = g_reading.typing(pos);
                    if (typing == Reading::Typing::AtOnce || g_leftClicked) skipTyping = 1;
                    if (typing == Reading::Typing::Slowly && !g_leftClicked) skipTyping = 0;
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
    char letter = 0;
    ScriptFault fault;
    if (!readEscape(script, pos, letter, fault)) fatalErrorWith(fault.format, fault.value);
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
        default:
            indent();
    }
}
