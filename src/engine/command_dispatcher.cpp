#include "commands/command_rows.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "shell/shell.h"

void ScriptEngine::dispatchCommand() {
    ScriptFault fault;
    int index = findCommand(script, pos, fault);
    if (index < 0) fatalErrorWith(fault.format, fault.value);
    extractArgs();
    auto run = index < kCommandRowCount ? kCommandRows[index].run : nullptr;
    if (run) (this->*run)();
}

void ScriptEngine::extractArgs() {
    ScriptFault fault;
    if (!extractArguments(script, pos, args, fault, pumpOnce)) fatalErrorWith(fault.format, fault.value);
}
