// The words of a menu command's argument text: runs of non-blank characters.
#pragma once
#include <cstdint>

#include "engine/script_engine.h"

class MenuWords {
public:
    explicit MenuWords(const char* args) : args_(args) {}
    // Skips count words.
    void skip(int count);
    // Copies the next word (cut to 255 bytes on a character boundary); false at the end of the text.
    bool next(char* word);
    // A text and a place name for each of count menu lines; false when the text holds fewer words.
    bool lines(int count, char (*texts)[kNameBytes], char (*places)[kNameBytes]);

private:
    const char* args_;
    int32_t at_ = 0;
};
