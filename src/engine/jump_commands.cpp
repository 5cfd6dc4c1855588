#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const float kEngineVersion = 0.21f;
const int32_t kWarningLeft = 32;
const int32_t kWarningTop = 32;
const int32_t kWarningLineStep = 32;
const int32_t kWarningDissolveMs = 5;

}  // namespace

int8_t ScriptEngine::jumpToLabel(const char* name) {
    if (std::strcmp(name, "loadstart") == 0) return loadStartMenu();
    if (std::strcmp(name, "fileinit") == 0) return initBookmarkMenu();
    if (std::strcmp(name, "end") == 0) {
        endGame();
        return 0;
    }
    if (std::strcmp(name, "0") == 0) return 0;
    ScriptFault fault;
    int32_t found = findPlace(script, namePos, nameCount, name, fault, pumpOnce);
    if (found < 0) fatalErrorWith(fault.format, fault.value);
    pos = found;
    return 0;
}

void ScriptEngine::cmdGoto() {
    PlaceArgs given;
    if (const char* error = readGotoArgs(args, given)) fatalError(error);
    jumpToLabel(given.place);
}

void ScriptEngine::cmdWait() {
    WaitArgs given;
    if (const char* error = readWaitArgs(args, given)) fatalError(error);
    sleepMs(static_cast<uint32_t>(given.ms));
}

void ScriptEngine::cmdStart() {
    StartArgs given;
    if (const char* error = readStartArgs(args, given)) fatalError(error);
    if (given.version > kEngineVersion) showVersionWarning();
}

void ScriptEngine::showVersionWarning() {
    static const char* const kLines[] = {
        "現在の本体のバージョンでは、",
        "正常な演出がされない可能性があります。",
        "もしも、不都合が生じた場合は、",
        "新しいバージョンのＺＥＢ本体を",
        "入手してください。",
    };
    g_display.clear(SLOT_BACK);
    int32_t y = kWarningTop;
    for (const char* line : kLines) {
        g_display.drawTitleText(kWarningLeft, y, sjis(line), SLOT_BACK);
        y += kWarningLineStep;
    }
    g_effects.dissolve(0, 0, 0, 0, kSlotWidth, kSlotHeight, kWarningDissolveMs, SLOT_SCREEN, SLOT_BACK);
    waitForClick();
    g_display.clear(SLOT_BACK);
    g_effects.dissolve(0, 0, 0, 0, kSlotWidth, kSlotHeight, kWarningDissolveMs, SLOT_SCREEN, SLOT_BACK);
}

void checkGoto(const char* args, CommandCheck& check) {
    PlaceArgs given;
    if (!check.problem(readGotoArgs(args, given))) check.jumpsTo(given.place);
}
