// The script commands, one row each at the index that function.dat gives its name: what the dispatcher
// runs and what --check checks of it. Both go through this table alone.
#pragma once
#include "commands/command_check.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"

struct CommandRow {
    const char* name;             // as the engine's own function.dat names the row
    void (ScriptEngine::*run)();  // null: consumed without action
    CommandChecker check;         // null: nothing to check beyond its text reading
};

extern const CommandRow kCommandRows[];
extern const int kCommandRowCount;

// A command whose arguments are all there is to check: its reader alone.
template <typename Args, const char* (*read)(const char*, Args&)>
void checkArguments(const char* args, CommandCheck& check) {
    Args given;
    check.problem(read(args, given));
}

// The checks of the other rows, each beside its command's handler.
void checkBgLoad(const char* args, CommandCheck& check);
void checkPlLoad(const char* args, CommandCheck& check);
void checkObjLoad(const char* args, CommandCheck& check);
void checkGoto(const char* args, CommandCheck& check);
void checkDamage(const char* args, CommandCheck& check);
void checkSelect(const char* args, CommandCheck& check);
void checkFlagSelect(const char* args, CommandCheck& check);
void checkFlagToSelect(const char* args, CommandCheck& check);
void checkObjLoadXy(const char* args, CommandCheck& check);
void checkObjLoadF(const char* args, CommandCheck& check);
void checkTitle(const char* args, CommandCheck& check);
void checkOut(const char* args, CommandCheck& check);
void checkMidi(const char* args, CommandCheck& check);
void checkSound(const char* args, CommandCheck& check);
void checkPlLoadF(const char* args, CommandCheck& check);
void checkSetTrans(const char* args, CommandCheck& check);
