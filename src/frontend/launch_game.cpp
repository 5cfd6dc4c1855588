#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/file_system.h"
#include "platform/screenshot.h"

// Plays the selected game in its own folder, where its pictures, sounds and bookmarks are found.
void ScriptEngine::launchGame() {
    ReturnToFolder back;
    changeDirectory(g_frontEnd.folder[g_frontEnd.selected]);
    setScreenshotGame(g_frontEnd.folder[g_frontEnd.selected]);
    loadScript();
    resetGameState();
    runScript();
    setScreenshotGame(nullptr);
}
