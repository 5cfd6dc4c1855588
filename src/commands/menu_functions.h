#pragma once
#include <cstdint>

// Darkens the picture behind the first menu line or choice drawn over it (when dimLevel is 0) and puts
// the text layer back over it; the text and menu colours are exempt and stay bright.
void dimForMenu(int32_t step);
