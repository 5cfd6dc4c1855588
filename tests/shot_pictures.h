// Shots the headless reader wrote, read back to be compared with each other.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "test_support.h"

struct Picture {
    std::vector<uint8_t> rgb;
    int width = 0;
    int height = 0;
};

// NAME.png of the root folder.
Picture shot(const TempFolder& root, const std::string& name);

const int kPageCursor = 32, kClickCursor = 27;

// Equal but for the blinking cursor: the pixels that differ fit in one square of its size.
::testing::AssertionResult sameButTheCursor(const Picture& a, const Picture& b, int cursorSize);
