#include <cstdio>
#include <cstring>
#include <string>

#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/archive/archive_reader.h"
#include "platform/files/file_system.h"
#include "platform/running_game.h"
#include "shell/shell.h"
#include "shell/working_folder.h"

// Plays the selected game in its own folder, where its pictures, sounds and bookmarks are found.
void ScriptEngine::launchGame() {
    int32_t entry = g_frontEnd.selected;
    std::string where = g_frontEnd.folder[entry];
    // An archive on the page is read when it is played: only one is ever held in memory.
    if (isArchiveName(where)) {
        NamedGame archived;
        if (!findNamedGame(where, archived)) {
            sayNoGame(where, archived);
            g_windowSystem->showNotice(kNoGameNotice);
            return;
        }
        where = archived.folder;
        std::snprintf(g_frontEnd.scriptFile[entry], kGameTextBytes, "%s", archived.script.c_str());
    }
    GameFolder game;
    const char* folder = where.c_str();
    game.enter(folder);
    findFile(g_frontEnd.scriptFile[entry], g_frontEnd.scriptSize[entry]);
    if (isArchiveName(g_frontEnd.folder[entry])) g_frontEnd.readHeader(g_frontEnd.scriptFile[entry], entry);
    // A reader's own game is known by its whole path; its screenshots by its folder's name.
    const char* slash = std::strrchr(folder, '/');
    setRunningGame(slash ? slash + 1 : folder, g_frontEnd.title[g_frontEnd.selected]);
    loadScript();
    resetGameState();
    runScript();
    setRunningGame(nullptr, nullptr);
}
