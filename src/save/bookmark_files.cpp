// The three bookmarks of a game, save_0.dat to save_2.dat in its folder: writing one whole or not at
// all, reading and checking one before it replaces the running game, and the headers the list shows.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "display/display.h"
#include "display/palette_fader.h"
#include "display/transition_effects.h"
#include "engine/backlog.h"
#include "engine/script_engine.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "platform/headless/trace.h"
#include "save/bookmark_name.h"
#include "save/save_file.h"
#include "shell/shell.h"
#include "shell/working_folder.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

namespace {

const int kHeaderBytes = 8;
const int kMusicAlias = 0;
const uint32_t kLoadWipeMs = 20;
const uint32_t kMsPerSecond = 1000;

uint32_t playTimeNow(uint32_t base) {
    return getTickCount() - g_playTimeStart + base;
}

SaveHeader headerNow(int32_t playCount, uint32_t playTimeBase) {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    return {static_cast<uint8_t>(local.tm_year), static_cast<uint8_t>(local.tm_mon + 1),
            static_cast<uint8_t>(local.tm_mday), static_cast<uint8_t>(playCount), playTimeNow(playTimeBase)};
}

}  // namespace

// The new file is written beside the old one and takes its place only when it is whole: a save that
// fails leaves the bookmark it would have replaced as it was.
bool ScriptEngine::saveGame(int number, int8_t waitKind) {
    bool saved = replaceGameFile(bookmarkFileName(number).c_str(),
                                 encodeSaveFile(headerNow(playCount, playTimeBase), waitKind));
    traceEvent("save %d: wait kind %d%s", number, waitKind, saved ? "" : ", cannot be written");
    return saved;
}

bool ScriptEngine::readBookmarkFile(int number, std::vector<uint8_t>& file) {
    if (!readGameFile(bookmarkFileName(number).c_str(), kSaveFileWithChoicesBytes + 1, file) &&
        file.empty()) {
        fatalError(sjis("ロード出来ません（；；謎"));
    }
    const char* problem = checkSaveFile(file, length);
    if (!problem) return true;
    traceEvent("load %d refused: %s", number, problem);
    showMessage("エラーが発生したらしい(^^;", "このしおりは壊れているのでロード出来ません（；；謎");
    return false;
}

void ScriptEngine::loadGame(int number, const std::vector<uint8_t>& file) {
    char loaded[kNameBytes];
    std::snprintf(loaded, sizeof loaded, "load %d", number);
    loadState(loaded, file, bookmarks[number].playthrough, bookmarks[number].playTime);
}

// The saved state replaces the running one; the background is read again from its file, the music and
// the looping sounds start again from their beginning, and the wait the save was made at resumes.
void ScriptEngine::loadState(const char* traceName, const std::vector<uint8_t>& file, uint8_t playthrough,
                             uint32_t playTime) {
    int32_t waitKind = decodeSaveFile(file);
    g_fader.commitPalette();
    g_backlog.restartFrom(SLOT_TEXT);
    pendingAction = static_cast<int8_t>(waitKind);
    traceEvent("%s: wait kind %d", traceName, waitKind);
    if (std::strcmp(bgName, "clear") != 0)
        g_display.loadBitmap(bgName, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_BG);
    g_midi.stop();
    if (std::strcmp(midiName, "clear") != 0) {
        g_midi.open(kMusicAlias, midiName);
        g_midi.play(g_hWnd, kMusicAlias);
    }
    g_sound.restartLooping();
    dimLevel = 0;
    composeScene();
    g_effects.maskWipe(0, 0, 0, 0, kSlotWidth, kSlotHeight, kLoadWipeMs, kBlindsPattern, SLOT_SCREEN,
                       SLOT_SCENE);
    dimBehindText();
    playCount = playthrough;
    playTimeBase = playTime;
    g_playTimeStart = getTickCount();
}

namespace {

// Outside the game's folder, among the reader's own files, one a game; empty without a data folder.
std::string quickBookmarkPath() {
    std::string data = readerDataFolder();
    return data.empty() ? "" : joinPath(data, "quick/" + currentFolderKey() + ".dat");
}

}  // namespace

bool ScriptEngine::quickSave(int8_t waitKind) {
    std::string path = quickBookmarkPath(), failed;
    bool saved = !path.empty() && makeFolders(path.substr(0, path.rfind('/')), failed) &&
                 replaceFile(path, encodeSaveFile(headerNow(playCount, playTimeBase), waitKind));
    traceEvent("quick save: wait kind %d%s", waitKind, saved ? "" : ", cannot be written");
    return saved;
}

// A damaged quick bookmark is refused as a bookmark is, and the game goes on where it was.
bool ScriptEngine::quickLoad() {
    std::vector<uint8_t> file;
    std::string path = quickBookmarkPath();
    if (path.empty() || !readWholeFile(path, kSaveFileWithChoicesBytes + 1, file)) {
        traceEvent("quick load: none");
        return false;
    }
    if (const char* problem = checkSaveFile(file, length)) {
        traceEvent("quick load refused: %s", problem);
        return false;
    }
    SaveHeader header = decodeSaveHeader(file.data());
    loadState("quick load", file, header.playthrough, header.playTimeMs);
    return true;
}

// Only the eight header bytes of each file are read.
void ScriptEngine::readBookmarks() {
    for (int number = 0; number < kBookmarkCount; ++number) {
        BookmarkSummary& summary = bookmarks[number];
        std::string name = bookmarkFileName(number);
        uint32_t size = 0;
        summary = {};
        if (!findFile(name.c_str(), size)) continue;
        FILE* file = openGameFile(name.c_str());
        if (!file) fatalError(sjis("ファイルが開けません（謎"));
        // A file shorter than its header shows zeros where it ends.
        uint8_t header[kHeaderBytes] = {};
        std::fread(header, 1, sizeof header, file);
        std::fclose(file);
        SaveHeader fields = decodeSaveHeader(header);
        uint32_t seconds = fields.playTimeMs / kMsPerSecond;
        summary = {true,
                   fields.year,
                   fields.month,
                   fields.day,
                   fields.playthrough,
                   fields.playTimeMs,
                   static_cast<int32_t>(seconds / 3600),
                   static_cast<int32_t>(seconds % 3600 / 60),
                   static_cast<int32_t>(seconds % 60)};
    }
}
