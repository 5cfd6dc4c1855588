#include "commands/menu_words.h"

#include <cstring>

#include "engine/script_engine.h"
#include "engine/shift_jis.h"

void MenuWords::skip(int count) {
    char word[kNameBytes];
    for (int i = 0; i < count; ++i)
        next(word);
}

bool MenuWords::next(char* word) {
    while (args_[at_] == ' ')
        ++at_;
    int32_t start = at_;
    while (args_[at_] != ' ' && args_[at_] != '\0')
        ++at_;
    int32_t length = at_ - start;
    char whole[kArgsBytes];
    std::memcpy(whole, args_ + start, static_cast<size_t>(length));
    whole[length] = '\0';
    int32_t kept = sjisPrefixLength(whole, kNameBytes - 1);
    std::memcpy(word, whole, static_cast<size_t>(kept));
    word[kept] = '\0';
    return length > 0;
}

bool MenuWords::lines(int count, char (*texts)[kNameBytes], char (*places)[kNameBytes]) {
    for (int i = 0; i < count; ++i) {
        if (!next(texts[i]) || !next(places[i])) return false;
    }
    return true;
}
