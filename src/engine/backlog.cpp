#include "engine/backlog.h"

#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "shell/shell.h"

Backlog g_backlog;

void Backlog::addCharacter(int32_t x, int32_t y, const char* text, size_t size, int font, int32_t colour) {
    Character character = {x,
                           y,
                           {text[0], size > 1 ? text[1] : '\0'},
                           static_cast<uint8_t>(size),
                           static_cast<uint8_t>(colour & 0xFF),
                           font};
    typing_.characters.push_back(character);
}

void Backlog::endPage() {
    if (typing_.empty()) return;
    pages_.push_back(std::move(typing_));
    typing_ = {};
    if (pages_.size() > kBacklogPages) pages_.pop_front();
}

void Backlog::clear() {
    pages_.clear();
    typing_ = {};
}

void Backlog::restartFrom(int textSlot) {
    clear();
    uint8_t blank = Display::transparentIndex();
    const uint8_t* text = g_display.pixels[textSlot];
    if (std::all_of(text, text + kSlotBytes, [blank](uint8_t pixel) { return pixel == blank; })) return;
    typing_.text.assign(text, text + kSlotBytes);
}

void Backlog::drawPage(int age, int slot) const {
    const Page& page = pages_[pages_.size() - static_cast<size_t>(age)];
    if (page.text.empty()) {
        g_display.fill(slot, Display::transparentIndex());
    } else {
        std::memcpy(g_display.pixels[slot], page.text.data(), kSlotBytes);
    }
    for (const Character& c : page.characters)
        drawTypedCharacter(c.font, c.text, c.size, c.x, c.y, c.colour, slot);
}

namespace {

void showWithScene(int slot) {
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, slot);
}

}  // namespace

namespace {

// Up and Page Up go back a page and Down and Page Down forward, as the wheel does; Return and Escape
// leave, as a click does.
void takeBacklogKeys() {
    for (uint32_t vk = 0; takeReaderKey(vk);) {
        if (vk == VK_UP || vk == VK_PRIOR) ++g_wheelTurns;
        if (vk == VK_DOWN || vk == VK_NEXT) --g_wheelTurns;
        if (vk == VK_RETURN || vk == VK_ESCAPE) g_leftClicked = 1;
    }
}

}  // namespace

// The page is drawn on the work slot, which the commands only use within themselves. What the reader
// pressed while reading back (a click, Space) belongs to the backlog, not to the wait.
void browseBacklog() {
    int age = 0;
    g_leftClicked = g_rightClicked = 0;
    for (;;) {
        takeBacklogKeys();
        int wanted = std::clamp(age + g_wheelTurns, 0, g_backlog.pageCount());
        g_wheelTurns = 0;
        if (wanted == 0 || g_leftClicked || g_rightClicked) break;
        if (wanted != age) {
            age = wanted;
            g_backlog.drawPage(age, SLOT_WORK);
            showWithScene(SLOT_WORK);
        }
        waitSinceMark(0);
        takeBacklogKeys();
        if (!g_wheelTurns && !g_leftClicked && !g_rightClicked) idleUntilInput();
    }
    g_leftClicked = g_rightClicked = 0;
    g_keyDown[VK_SPACE] = 0;
    g_wheelTurns = 0;
    showWithScene(SLOT_TEXT);
}
