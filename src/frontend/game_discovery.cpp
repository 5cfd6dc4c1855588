#include <cstdio>
#include <cstring>

#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "shell/shell.h"

FrontEnd g_frontEnd;

bool startsWith(const char* line, const char* key) {
    size_t length = std::strlen(key);
    return std::strlen(line) >= length && std::memcmp(line, key, length) == 0;
}

// Sub-folders and scripts are taken in name order, without regard to case, so the menu's order is
// the same on every machine. The table holds 256 games; further games are left out.
void FrontEnd::scanGames() {
    count = 0;
    scanGamesIn("");
    if (!userGames.empty()) {
        ReturnToFolder back;
        if (changeDirectory(userGames.c_str())) scanGamesIn((userGames + "/").c_str());
    }
    scanDroppedGames();
}

// The games of the current folder, each known by its folder's name after prefix.
void FrontEnd::scanGamesIn(const char* prefix) {
    FolderListing listing;
    if (!listing.open("*")) return;
    FolderEntry entry;
    while (listing.next(entry)) {
        if (entry.directory && entry.name[0] != '.') scanFolder(entry.name, prefix);
    }
}

// A sub-folder that cannot be entered is skipped: its game could not be started anyway, nor could one
// whose path does not fit the table. A reader's game replaces the demo game of the same folder name.
void FrontEnd::scanFolder(const char* folderName, const char* prefix) {
    int32_t entry = count;
    for (int32_t i = 0; *prefix && i < count; ++i) {
        if (std::strcmp(folder[i], folderName) == 0) entry = i;
    }
    if (entry >= kMaxGames) return;
    if (std::strlen(prefix) + std::strlen(folderName) >= static_cast<size_t>(kGameTextBytes)) return;
    GameFolder game;
    if (!game.enter(folderName)) return;
    FolderListing listing;
    FolderEntry script;
    bool found = false;
    if (listing.open("*.zeb")) {
        while (!found && listing.next(script))
            found = !script.directory;
    }
    if (found) {
        std::snprintf(folder[entry], kGameTextBytes, "%s%s", prefix, folderName);
        std::snprintf(scriptFile[entry], kGameTextBytes, "%s", script.name);
        scriptSize[entry] = script.size;
        readHeader(script.name, entry);
        if (entry == count) ++count;
    }
}

void FrontEnd::readHeader(const char* fileName, int32_t entry) {
    char* const fields[kHeaderKeys] = {title[entry], subtitle[entry], artist[entry], genre[entry]};
    readHeaderLines(fileName, fields);
}

bool readHeaderLines(const char* fileName, char* const fields[kHeaderKeys], HeaderLines* lines) {
    FILE* file = openGameFile(fileName);
    if (!file) return false;
    for (int k = 0; k < kHeaderKeys; ++k)
        fields[k][0] = '\0';
    char line[kGameTextBytes];
    int found = 0, number = 1;
    size_t size = 0;
    for (; found < kHeaderKeys && (size = readTextPiece(file, line, sizeof line)) > 0;
         number += line[size - 1] == '\n') {
        if (line[0] != '#') continue;
        int key = -1;
        for (int k = 0; k < kHeaderKeys; ++k) {
            if (startsWith(line, kHeaderKeyNames[k])) key = k;
        }
        if (key < 0) continue;
        const char* value = std::strchr(line, ' ') + 1;
        size_t length = std::strcspn(value, "\n");
        std::memcpy(fields[key], value, length);
        fields[key][length] = '\0';
        ++found;
        if (!lines) continue;
        lines->line[key] = number;
        int next = line[size - 1] == '\n' ? EOF : std::fgetc(file);
        lines->cut[key] = next != EOF;
        if (next != EOF) std::ungetc(next, file);
    }
    std::fclose(file);
    return true;
}
