// The mouse cursor "CUR": 32×32 monochrome, hot spot at the top-left corner.
// 'X' is black, '.' white, a blank transparent.
#pragma once

static const int kCursorHotX = 0;
static const int kCursorHotY = 0;

static const char* const kCursorRows[32] = {
    "X                               ", "XX                              ",
    "X.X                             ", "X..X                            ",
    "X...X                           ", "X....X                          ",
    "X.....X                         ", "X......X                        ",
    "X.......X                       ", "X........X                      ",
    "X.........X                     ", "X......XXXXX                    ",
    "X...X..X                        ", "X..XX..X                        ",
    "X.X  X..X                       ", "XX   X..X                       ",
    "X     X..X                      ", "      X..X                      ",
    "       XX                       ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
};
