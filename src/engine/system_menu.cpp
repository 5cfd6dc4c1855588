#include "engine/script_engine.h"
#include "shell/shell.h"

// The menu of saving, loading and ending comes with the bookmarks. Until then a right click at a wait
// is taken and the wait goes on.
bool ScriptEngine::systemMenu(int8_t) {
    g_rightClicked = 0;
    return false;
}
