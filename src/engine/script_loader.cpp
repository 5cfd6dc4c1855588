#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/private/script_text.h"
#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

ScriptEngine g_engine;

int32_t keepScriptPiece(const char* piece, char* out) {
    if (piece[0] == '#' || piece[0] == '\n' || piece[0] == '\0') return 0;
    int32_t kept = 0;
    for (const char* p = piece; *p; ++p) {
        if (*p == ' ' || *p == '\t' || *p == '\n') continue;
        if (p[0] == '/' && p[1] == '/') break;
        out[kept++] = *p;
    }
    return kept;
}

void ScriptEngine::loadScript() {
    int32_t game = g_frontEnd.selected;
    FILE* file = openGameFile(g_frontEnd.scriptFile[game]);
    if (!file) fatalError(sjis("ファイルがオープン出来ません（原因不明）"));
    std::free(script);
    uint32_t size = g_frontEnd.scriptSize[game];
    script =
        size <= kMaxScriptBytes ? static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1)) : nullptr;
    if (!script) {
        std::fclose(file);
        fatalError(sjis("メモリが足りません"));
    }
    // The size comes from the directory listing; never keep more than it allows for.
    int32_t capacity = static_cast<int32_t>(size);
    int32_t kept = 0;
    char piece[kScriptPieceBytes];
    char stripped[kScriptPieceBytes];
    while (readTextPiece(file, piece, sizeof piece) > 0) {
        int32_t count = keepScriptPiece(piece, stripped);
        if (count > capacity - kept) count = capacity - kept;
        std::memcpy(script + kept, stripped, static_cast<size_t>(count));
        kept += count;
    }
    std::fclose(file);
    script[kept] = '\0';
    length = kept;
}
