// The highlight under the pointer that every hover-and-click loop of the engine shares: a line is drawn
// again highlighted when the pointer comes onto it and plain when it leaves, and a left click counts
// only on the line under the pointer; the click of a game controller's A, which has no place, on the
// highlighted line. What a loop does around it (which clicks it clears before its pump, the right
// button, what a pick leads to) stays the loop's own.
#pragma once
#include <algorithm>
#include <cstdint>

#include "engine/reading.h"
#include "engine/script_engine.h"
#include "engine/settings_page.h"
#include "platform/textout/text_stream.h"
#include "shell/shell.h"

// Whether the pointer lies in the rectangle, edges included.
inline bool pointerIn(const MenuRect& rect) {
    return g_mouseX >= rect.left && g_mouseX <= rect.right && g_mouseY >= rect.top && g_mouseY <= rect.bottom;
}

// draw(i, highlighted) draws line i again. Every line starts plain, so a line under a resting pointer
// is highlighted at the first pass. The keyboard moves the highlight as the pointer would: Down from
// nothing lights the first line and Up the last, neither passes the ends; Return picks the lit line and
// Escape stands for the right button. A pointer that moves takes the highlight back.
template <typename DrawLine>
class HoverLines {
public:
    HoverLines(const MenuRect* rects, int count, DrawLine draw) : rects_(rects), count_(count), draw_(draw) {
        g_reading.menuOpens();
        clearReaderKeys();
    }

    // Once a pass, after its pump: the pointer if it moved, then the reader's keys; the keys a menu does
    // not take go to other(vk).
    template <typename OtherKey>
    void follow(OtherKey other) {
        if (g_mouseX != pointerX_ || g_mouseY != pointerY_) {
            pointerX_ = g_mouseX, pointerY_ = g_mouseY;
            lit_ = -1;
            for (int i = 0; i < count_ && lit_ < 0; ++i) {
                if (pointerIn(rects_[i])) lit_ = i;
            }
        }
        for (uint32_t vk = 0; takeReaderKey(vk);) {
            if (vk == VK_DOWN) {
                lit_ = lit_ < 0 ? 0 : std::min(lit_ + 1, count_ - 1);
            } else if (vk == VK_UP) {
                lit_ = lit_ < 0 ? count_ - 1 : std::max(lit_ - 1, 0);
            } else if (vk == VK_RETURN && lit_ >= 0) {
                picked_ = lit_;
            } else if (vk == VK_ESCAPE) {
                g_rightClicked = 1;
            } else if (vk == kSettingsKey) {
                runSettingsPage();
            } else {
                other(vk);
            }
        }
    }
    void follow() {
        follow([](uint32_t) {});
    }

    // Brings line i up to date; true when it was picked, by a left click under the pointer or the
    // pad's on the lit line (the click is taken), or by Return.
    bool clicked(int i) {
        bool lit = i == lit_;
        if (lit != highlighted_[i]) {
            draw_(i, lit);
            highlighted_[i] = lit;
        }
        if (picked_ == i) {
            picked_ = -1;
            return true;
        }
        if (!g_leftClicked || (g_padClicked ? i != lit_ : !pointerIn(rects_[i]))) return false;
        g_leftClicked = 0;
        return true;
    }

private:
    const MenuRect* rects_;
    int count_;
    DrawLine draw_;
    bool highlighted_[kMenuLines] = {};
    int lit_ = -1;
    int picked_ = -1;
    int32_t pointerX_ = INT32_MIN;  // where the pointer was at the last pass; none at first
    int32_t pointerY_ = INT32_MIN;
};

// The hover-and-click loop of a menu: every pass clears the clicks, pumps once and brings the lines up to
// date in order. A left click on a line returns its number; a right click returns −1 when it may
// cancel the menu, and is checked before each line, as the lines are walked.
template <typename DrawLine>
int runHoverMenu(const MenuRect* rects, int count, bool rightCancels, DrawLine draw) {
    HoverLines<DrawLine> lines(rects, count, draw);
    streamWait();
    for (;;) {
        g_rightClicked = 0;
        g_leftClicked = 0;
        waitSinceMark(0);
        lines.follow();
        for (int i = 0; i < count; ++i) {
            if (rightCancels && g_rightClicked) {
                g_rightClicked = 0;
                return -1;
            }
            if (lines.clicked(i)) return i;
        }
        idleUntilInput();
    }
}
