#include "shot_pictures.h"

#include <algorithm>

#include "platform/window/png_file.h"

Picture shot(const TempFolder& root, const std::string& name) {
    Picture picture;
    EXPECT_TRUE(readPng(root.file(name + ".png").c_str(), picture.rgb, picture.width, picture.height))
        << name;
    return picture;
}

::testing::AssertionResult sameButTheCursor(const Picture& a, const Picture& b, int cursorSize) {
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return ::testing::AssertionFailure() << "sizes differ";
    int left = a.width, right = -1, top = a.height, bottom = -1;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            size_t at = 3 * (static_cast<size_t>(y) * a.width + x);
            if (std::equal(&a.rgb[at], &a.rgb[at + 3], &b.rgb[at])) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    if (right < 0 || (right - left < cursorSize && bottom - top < cursorSize))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixels differ from (" << left << ", " << top << ") to (" << right << ", " << bottom << ")";
}
