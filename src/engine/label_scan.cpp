#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "shell/shell.h"

void ScriptEngine::scanLabels() {
    ScriptFault fault;
    if (!scanPlaces(script, namePos, nameCount, fault, pumpOnce)) fatalErrorWith(fault.format, fault.value);
}
