#include "commands/command_rows.h"

// A null handler: name is a place, which the place scan reads.
const CommandRow kCommandRows[] = {
    {"start", &ScriptEngine::cmdStart, checkStart},
    {"bgload", &ScriptEngine::cmdBgLoad, checkBgLoad},
    {"plload", &ScriptEngine::cmdPlLoad, checkPlLoad},
    {"objload", &ScriptEngine::cmdObjLoad, checkObjLoad},
    {"wait", &ScriptEngine::cmdWait, checkWait},
    {"name", nullptr, nullptr},
    {"goto", &ScriptEngine::cmdGoto, checkGoto},
    {"text", &ScriptEngine::cmdText, checkText},
    {"damage", &ScriptEngine::cmdDamage, checkDamage},
    {"select", &ScriptEngine::cmdSelect, checkSelect},
    {"flag", &ScriptEngine::cmdFlag, checkFlag},
    {"flagrnd", &ScriptEngine::cmdFlagRandom, checkFlagRandom},
    {"flagto", &ScriptEngine::cmdFlagTo, checkFlagTo},
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
    {"textcolor", &ScriptEngine::cmdTextColor, checkTextColor},
    {"textend", &ScriptEngine::cmdTextEnd, checkTextEnd},
    {"settrans", &ScriptEngine::cmdSetTrans, checkSetTrans},
};
const int kCommandRowCount = sizeof kCommandRows / sizeof kCommandRows[0];
