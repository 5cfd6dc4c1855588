// The highlight under the pointer that every hover-and-click loop of the engine shares: a line is drawn
// again highlighted when the pointer comes onto it and plain when it leaves, and a left click counts
// only on the line under the pointer. What a loop does around it (which clicks it clears before its
// pump, the right button, what a pick leads to) stays the loop's own.
#pragma once
#include "engine/script_engine.h"
#include "platform/headless/transcript.h"
#include "shell/shell.h"

// Whether the pointer lies in the rectangle, edges included.
inline bool pointerIn(const MenuRect& rect) {
    return g_mouseX >= rect.left && g_mouseX <= rect.right && g_mouseY >= rect.top && g_mouseY <= rect.bottom;
}

// draw(i, highlighted) draws line i again. Every line starts plain, so a line under a resting pointer
// is highlighted at the first pass.
template <typename DrawLine>
class HoverLines {
public:
    HoverLines(const MenuRect* rects, DrawLine draw) : rects_(rects), draw_(draw) {}

    // Brings line i up to date with the pointer; true when it was clicked, and the click is taken.
    bool clicked(int i) {
        bool under = pointerIn(rects_[i]);
        if (under != highlighted_[i]) {
            draw_(i, under);
            highlighted_[i] = under;
        }
        if (!under || !g_leftClicked) return false;
        g_leftClicked = 0;
        return true;
    }

private:
    const MenuRect* rects_;
    DrawLine draw_;
    bool highlighted_[kMenuLines] = {};
};

// The hover-and-click loop of a menu: every pass clears the clicks, pumps once and brings the lines up to
// date in order. A left click on a line returns its number; a right click returns −1 when it may
// cancel the menu, and is checked before each line, as the lines are walked.
template <typename DrawLine>
int runHoverMenu(const MenuRect* rects, int count, bool rightCancels, DrawLine draw) {
    HoverLines<DrawLine> lines(rects, draw);
    transcriptFlush();
    for (;;) {
        g_rightClicked = 0;
        g_leftClicked = 0;
        waitSinceMark(0);
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
