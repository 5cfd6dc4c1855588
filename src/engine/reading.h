// The reader's own controls, beyond the engine's: the keyboard at the waits, the speed of the text,
// auto mode, skipping what was read, the quick bookmark and the marks of the modes. While the reader
// uses none of them the engine runs exactly as it does without them: the same timing, pictures and
// bookmarks.
#pragma once
#include <cstdint>
#include <vector>

enum class TextSpeed { Slow, Normal, Fast, Instant };

struct ReadingSettings {
    TextSpeed speed = TextSpeed::Normal;
    uint32_t autoDelayMs = 1500;
    bool skipUnread = false;  // skip = all: unread text goes by too
};

// What a wait is to do after the reader's turn.
// What a wait is to do after the reader's turn: stay, go on, end (a bookmark replaced the game), or show
// its cursor afresh (a page of ours covered the screen and gave it back).
enum class WaitTurn { Stay, GoOn, Replaced, Reshown };

class Reading {
public:
    ReadingSettings settings;

    // A game starts: the modes are off.
    void gameStarts();

    // Typing: the character at pos appears at once when a key that goes on was pressed, the speed is
    // instant, or skip mode passes read text; slowly again when skip mode stops at unread text here.
    // Takes the keys that typing takes.
    enum class Typing { AsBefore, AtOnce, Slowly };
    Typing typing(int32_t pos);
    void typed(int32_t pos, int32_t bytes);
    // The wait after a character, counted from its start.
    uint32_t typingDelayMs() const;

    // The waits of the reader (click and page waits, choices). waitBegins counts the text typed since
    // the last wait as shown whole; duringWait is each pass of the wait, after its pump: the reader's
    // keys, then auto and skip. blinkStep shortens a blink when auto's moment comes sooner.
    void waitBegins(bool choice);
    WaitTurn duringWait(int8_t waitKind);
    uint32_t blinkStep(uint32_t blinkMs) const;
    // A key that the wait's menu did not take (at a choice, its lines take the arrows and Return).
    WaitTurn otherKey(uint32_t vk, int8_t waitKind);
    // A menu opens: no menu is ever picked for the reader, so auto and skip end.
    void menuOpens();

    bool autoMode() const { return autoMode_; }
    bool skipMode() const { return skipMode_; }

private:
    WaitTurn takeWaitKey(uint32_t vk, int8_t waitKind);
    void setAuto(bool on, const char* why);
    void setSkip(bool on, const char* why);
    void showMark() const;
    WaitTurn quickLoad();

    struct Run {
        int32_t from;
        int32_t to;
    };

    bool autoMode_ = false;
    bool skipMode_ = false;
    uint32_t typedSinceWait_ = 0;
    std::vector<Run> typedRuns_;  // where the characters typed since the last wait stand in the script
    bool recordFailureSaid_ = false;
    uint32_t autoAt_ = 0;       // when auto goes on at this wait
    bool textWasRead_ = false;  // every character typed since the last wait was read before
};

extern Reading g_reading;
