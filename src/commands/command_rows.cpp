#include "commands/command_rows.h"

// A null handler: name is a place, which the place scan reads.
const CommandRow kCommandRows[] = {
    {"start", &ScriptEngine::cmdStart, checkArguments<StartArgs, readStartArgs>},
    {"bgload", &ScriptEngine::cmdBgLoad, checkBgLoad},
    {"plload", &ScriptEngine::cmdPlLoad, checkPlLoad},
    {"objload", &ScriptEngine::cmdObjLoad, checkObjLoad},
    {"wait", &ScriptEngine::cmdWait, checkArguments<WaitArgs, readWaitArgs>},
    {"name", nullptr, nullptr},
    {"goto", &ScriptEngine::cmdGoto, checkGoto},
    {"text", &ScriptEngine::cmdText, checkArguments<TextArgs, readTextArgs>},
    {"damage", &ScriptEngine::cmdDamage, checkDamage},
    {"select", &ScriptEngine::cmdSelect, checkSelect},
    {"flag", &ScriptEngine::cmdFlag, checkArguments<FlagArgs, readFlagArgs>},
    {"flagrnd", &ScriptEngine::cmdFlagRandom, checkArguments<FlagRandomArgs, readFlagRandomArgs>},
    {"flagto", &ScriptEngine::cmdFlagTo, checkArguments<FlagArgs, readFlagToArgs>},
    {"flagselect", &ScriptEngine::cmdFlagSelect, checkFlagSelect},
    {"flagtoselect", &ScriptEngine::cmdFlagToSelect, checkFlagToSelect},
    {"objloadxy", &ScriptEngine::cmdObjLoadXy, checkObjLoadXy},
    {"objloadf", &ScriptEngine::cmdObjLoadF, checkObjLoadF},
    {"waitclick", &ScriptEngine::cmdWaitClick, nullptr},
    {"title", &ScriptEngine::cmdTitle, checkTitle},
    {"flagclear", &ScriptEngine::cmdFlagClear, nullptr},
    {"out", &ScriptEngine::cmdOut, checkOut},
    {"midi", &ScriptEngine::cmdMidi, checkMidi},
    {"sound", &ScriptEngine::cmdSound, checkSound},
    {"flash", &ScriptEngine::cmdFlash, nullptr},
    {"plloadf", &ScriptEngine::cmdPlLoadF, checkPlLoadF},
    {"textcolor", &ScriptEngine::cmdTextColor, checkArguments<TextColorArgs, readTextColorArgs>},
    {"textend", &ScriptEngine::cmdTextEnd, checkArguments<EntryArgs, readTextEndArgs>},
    {"settrans", &ScriptEngine::cmdSetTrans, checkSetTrans},
};
const int kCommandRowCount = sizeof kCommandRows / sizeof kCommandRows[0];
