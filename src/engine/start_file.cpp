#include <cstdio>
#include <cstring>

#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "platform/running_game.h"
#include "shell/shell.h"

void ScriptEngine::startFromStartFile() {
    FILE* file = openGameFile("start.dat");
    if (!file) return;
    char folder[kNameBytes], scriptName[kNameBytes];
    int words = std::fscanf(file, "%255s %255s", folder, scriptName);
    std::fclose(file);
    // start.dat comes with the games: the game it starts is one of the working folder's.
    if (words < 2 || !leadsInsideCurrentFolder(folder)) return;
    startGame(folder, scriptName, folder);
}

// The game plays in its own folder and the program ends with it; a game that cannot be found leaves
// the way open to the game-selection page.
void ScriptEngine::startGame(const char* folder, const char* scriptName, const char* gameName) {
    g_frontEnd.selected = 0;
    std::snprintf(g_frontEnd.scriptFile[0], kGameTextBytes, "%s", scriptName);
    GameFolder game;
    if (!game.enter(folder)) return;
    uint32_t size = 0;
    if (!findFile(scriptName, size)) return;
    g_frontEnd.scriptSize[0] = size;
    g_frontEnd.readHeader(scriptName, 0);
    setRunningGame(gameName, g_frontEnd.title[0]);
    loadScript();
    resetGameState();
    runScript();
    quitProgram();
}
