// The headless reader's action file: one action per line, '#' starts a comment.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class ReaderVerb {
    Wait,
    Sleep,
    Move,
    Click,
    RightClick,
    Key,
    Down,
    Up,
    Pad,
    Tap,
    Drop,
    Wheel,
    Shot,
    Close
};

struct ReaderAction {
    ReaderVerb verb;
    // Milliseconds for wait and sleep, the virtual-key code for key, down and up, the PadButton for pad, the
    // message's wParam for wheel.
    uint32_t value = 0;
    int x = 0;
    int y = 0;
    std::string name;  // the picture name of shot, the path of drop
    int line = 0;
};

// Parses the whole file text. On a bad line, returns false with a message naming the line.
bool parseReaderScript(const std::string& text, std::vector<ReaderAction>& actions, std::string& error);

// The virtual-key code of a reader key name, 0 for an unknown name.
uint32_t readerKeyCode(const std::string& name);
