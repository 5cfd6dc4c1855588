#include "platform/window/touch_gestures.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window_messages.h"

namespace {

const int kSlop = 12;   // picture pixels a resting finger may wander
const int kSwipe = 48;  // and the least a swipe travels
const uint32_t kLongPressMs = 600;

bool wandered(int fromX, int fromY, int x, int y) {
    return std::abs(x - fromX) > kSlop || std::abs(y - fromY) > kSlop;
}

}  // namespace

void TouchGestures::fingerDown(int64_t finger, int x, int y, uint32_t ms) {
    Finger down = {finger, x, y, x, y};
    if (fingers_.empty()) {
        first_ = down;
        startMs_ = ms;
        mostFingers_ = 0;
        moved_ = longPressed_ = false;
    }
    fingers_.push_back(down);
    mostFingers_ = std::max(mostFingers_, fingers_.size());
}

void TouchGestures::fingerMoved(int64_t finger, int x, int y) {
    for (Finger& f : fingers_) {
        if (f.id != finger) continue;
        f.x = x, f.y = y;
        if (wandered(f.startX, f.startY, x, y)) moved_ = true;
        if (finger == first_.id) first_ = f;
    }
}

void TouchGestures::fingerUp(int64_t finger, uint32_t ms) {
    timePassed(ms);
    auto gone = std::remove_if(fingers_.begin(), fingers_.end(),
                               [finger](const Finger& f) { return f.id == finger; });
    if (gone == fingers_.end()) return;
    fingers_.erase(gone, fingers_.end());
    if (fingers_.empty()) endGesture();
}

void TouchGestures::endGesture() {
    if (longPressed_) return;
    uint32_t at = pointParam(first_.startX, first_.startY);
    if (!moved_ && mostFingers_ > 1) {
        post_(WM_RBUTTONDOWN, 0, at);
    } else if (!moved_) {
        post_(WM_MOUSEMOVE, 0, at);
        post_(WM_LBUTTONDOWN, 0, at);
    } else if (mostFingers_ == 1) {
        int dx = first_.x - first_.startX, dy = first_.y - first_.startY;
        if (std::abs(dy) >= kSwipe && std::abs(dy) > std::abs(dx))
            post_(WM_MOUSEWHEEL, wheelParam(dy > 0 ? 1 : -1), 0);
    }
}

bool TouchGestures::longPressAt(uint32_t& at) const {
    if (fingers_.size() != 1 || mostFingers_ != 1 || moved_ || longPressed_) return false;
    at = startMs_ + kLongPressMs;
    return true;
}

void TouchGestures::timePassed(uint32_t ms) {
    uint32_t at = 0;
    if (!longPressAt(at) || static_cast<int32_t>(ms - at) < 0) return;
    longPressed_ = true;
    post_(WM_KEYDOWN, VK_SPACE, 0);
    post_(WM_KEYUP, VK_SPACE, 0);
}
