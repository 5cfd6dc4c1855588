#include <cstring>

#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "platform/running_game.h"

// Plays the selected game in its own folder, where its pictures, sounds and bookmarks are found.
void ScriptEngine::launchGame() {
    GameFolder game;
    const char* folder = g_frontEnd.folder[g_frontEnd.selected];
    game.enter(folder);
    // A reader's own game is known by its whole path; its screenshots by its folder's name.
    const char* slash = std::strrchr(folder, '/');
    setRunningGame(slash ? slash + 1 : folder, g_frontEnd.title[g_frontEnd.selected]);
    loadScript();
    resetGameState();
    runScript();
    setRunningGame(nullptr, nullptr);
}
