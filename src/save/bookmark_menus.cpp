#include "engine/script_engine.h"
#include "shell/shell.h"

// Until the bookmark list exists, every bookmark is empty: the start menu starts a new game and
// there is nothing to erase.
int8_t ScriptEngine::loadStartMenu() {
    playCount = 1;
    playTimeBase = 0;
    g_playTimeStart = getTickCount();
    return 0;
}

int8_t ScriptEngine::initBookmarkMenu() {
    return -1;
}
