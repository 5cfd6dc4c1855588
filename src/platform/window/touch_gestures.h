// A touch screen told as the mouse, the wheel and the keyboard: a tap is a left click where it lands, a
// tap of two fingers a right click, a swipe down a notch of the wheel up (the backlog, older pages) and
// a swipe up a notch down, and a finger that rests a moment Space (the text hidden until a tap). Both
// windows, the real one and the headless reader, read their fingers through it. Positions are picture
// pixels (640×480), times the window's milliseconds.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class TouchGestures {
public:
    using Post = std::function<void(uint32_t message, uint32_t wParam, uint32_t lParam)>;
    explicit TouchGestures(Post post) : post_(std::move(post)) {}

    void fingerDown(int64_t finger, int x, int y, uint32_t ms);
    void fingerMoved(int64_t finger, int x, int y);
    // The gesture is told when its last finger leaves.
    void fingerUp(int64_t finger, uint32_t ms);
    // A finger that has rested long enough is a long press, told while it still rests.
    void timePassed(uint32_t ms);
    // When the finger that rests now becomes a long press; false when none can.
    bool longPressAt(uint32_t& at) const;

private:
    struct Finger {
        int64_t id;
        int startX;
        int startY;
        int x;
        int y;
    };

    void endGesture();

    Post post_;
    std::vector<Finger> fingers_;
    Finger first_ = {};  // the finger that began the gesture, as it was last seen
    uint32_t startMs_ = 0;
    size_t mostFingers_ = 0;
    bool moved_ = false;
    bool longPressed_ = false;
};
