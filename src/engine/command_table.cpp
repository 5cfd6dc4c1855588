#include <cstdio>
#include <cstring>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

char g_commands[kCommandCapacity][kCommandNameBytes];
int32_t g_commandCount = 0;

namespace {

// A name read past this length could not be stored; "%d %s" then reads the rest as a new entry.
const int kNameScanBytes = 256;

}  // namespace

void ScriptEngine::loadCommandTable() {
    FILE* file = openGameFile("function.dat");
    if (!file) fatalError(sjis("ファイル[function.dat]が見つかりません"));
    g_commandCount = 0;
    int number = 0;
    char name[kNameScanBytes];
    while (std::fscanf(file, "%d %255s", &number, name) == 2) {
        if (g_commandCount == kCommandCapacity) {
            std::fclose(file);
            fatalError(sjis("ファイル[function.dat]の命令が多すぎます（200個まで）"));
        }
        if (std::strlen(name) >= kCommandNameBytes) {
            std::fclose(file);
            name[sjisPrefixLength(name, kCommandNameBytes - 1)] = '\0';
            fatalErrorWith(sjis("ファイル[function.dat]の命令名が長すぎます（49文字まで）[%s]"), name);
        }
        std::strcpy(g_commands[g_commandCount++], name);
    }
    std::fclose(file);
}
