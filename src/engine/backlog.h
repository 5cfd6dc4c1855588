// The pages the reader has read, kept so that the wheel can scroll back through them at a click or
// page wait. Each page is kept as the characters were typed (place, font, colour), not as pixels, so
// that a hundred pages take well under a megabyte and come back exactly as they were drawn. Nothing of
// it goes into a bookmark; but a loaded bookmark brings the text of its page as pixels, and the page
// typed on from there keeps them under its characters. Since a load starts the backlog afresh, no
// more than one page ever holds such a picture.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

const int kBacklogPages = 100;

class Backlog {
public:
    void addCharacter(int32_t x, int32_t y, const char* text, size_t size, int font, int32_t colour);
    // The text layer was cleared: what was typed on it becomes the newest page.
    void endPage();
    // A new game: nothing read before it can be scrolled back to.
    void clear();
    // A loaded bookmark: nothing read before it either, but the page in progress begins with the text
    // that the slot holds.
    void restartFrom(int textSlot);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Draws page age (1: the newest finished page) onto a slot, as the message display typed it.
    void drawPage(int age, int slot) const;

private:
    struct Character {
        int32_t x;
        int32_t y;
        char text[2];
        uint8_t size;
        uint8_t colour;
        int font;
    };
    struct Page {
        std::vector<uint8_t> text;  // the text layer the page began with; empty when it began blank
        std::vector<Character> characters;
        bool empty() const { return text.empty() && characters.empty(); }
    };
    std::deque<Page> pages_;
    Page typing_;
};

extern Backlog g_backlog;

// How the message display draws one character: its shadow, then the character in its colour.
void drawTypedCharacter(int font, const char* text, size_t size, int32_t x, int32_t y, int32_t colour,
                        int slot);

// At a wait whose reader turned the wheel up: older pages with each notch up, newer with each notch
// down; past the newest page, or at a click of either button, the wait's own screen comes back as it
// was. The clicks that leave it are taken; the wait goes on.
void browseBacklog();
