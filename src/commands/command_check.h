// What --check learns of one command without playing it: the problems that would stop the game there,
// with the engine's own messages in the order the command meets them, and the places the command may
// jump to, which the checker looks for once the whole script is read.
#pragma once
#include <cstdint>

#include "display/display.h"

class CommandCheck {
public:
    // Records the message (Shift-JIS) when there is one; true when there was.
    virtual bool problem(const char* sjisMessage) = 0;
    // Records what would not stop the game but would show otherwise than its author meant.
    virtual void warning(const char* sjisMessage) = 0;
    virtual void jumpsTo(const char* place) = 0;

    // The message with value in place of its %s, as the engine shows it; true.
    bool problemWith(const char* sjisFormat, const char* value);
    // What the commands that read pictures and run transitions meet, as they meet it.
    void transition(int32_t effect, bool noneAllowed);
    // A picture loaded as the background, or laid over the scene with its keyed pixels left out (the
    // rectangle width × height from its corner). The colour key is followed in reading order: a
    // picture laid over the scene without a pixel of it, and a background with one, are warned of.
    void background(const char* file);
    void overlay(const char* file, int32_t width, int32_t height);
    // What sets the colour key: a character picture's colour-table entry 1, a palette file's, and
    // settrans, which fixes it (or, with -1, -1, -1, lets the pictures set it again).
    void keyColour(const char* file);
    void paletteKey(const PaletteEntry& entry);
    void fixKey(int32_t red, int32_t green, int32_t blue);

protected:
    ~CommandCheck() = default;

private:
    void takeKey(const PaletteEntry& entry);
    void warnWith(const char* sjisFormat, const char* file);

    bool keyKnown_ = false;
    bool keyFixed_ = false;
    PaletteEntry key_ = {};
};

// A command's check: its arguments read as its handler reads them, then what the handler would meet.
using CommandChecker = void (*)(const char* args, CommandCheck& check);
