// What --check learns of one command without playing it: the problems that would stop the game there,
// with the engine's own messages in the order the command meets them, and the places the command may
// jump to, which the checker looks for once the whole script is read.
#pragma once
#include <cstdint>

class CommandCheck {
public:
    // Records the message (Shift-JIS) when there is one; true when there was.
    virtual bool problem(const char* sjisMessage) = 0;
    virtual void jumpsTo(const char* place) = 0;

    // The message with value in place of its %s, as the engine shows it; true.
    bool problemWith(const char* sjisFormat, const char* value);
    // What the commands that read pictures and run transitions meet, as they meet it.
    void transition(int32_t effect, bool noneAllowed);
    void picture(const char* file);
    void keyColour(const char* file);

protected:
    ~CommandCheck() = default;
};

// A command's check: its arguments read as its handler reads them, then what the handler would meet.
using CommandChecker = void (*)(const char* args, CommandCheck& check);
