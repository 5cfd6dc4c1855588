// Brightness through the palette: an offset added to every colour of the base table, sent to the
// device; the transparent, grey and text colours and the locked entries keep their colour.
#pragma once
#include <cstdint>

class PaletteFader {
public:
    void applyBrightness(int first, int last, int32_t offset);
    void setBrightness(int32_t offset);
    void fadeUp(int32_t from, int32_t to, int32_t step, uint32_t ms);
    void fadeDown(int32_t from, int32_t to, int32_t step, uint32_t ms);
    void fadeUpRange(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms);
    void fadeDownRange(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms);
    void commitPalette();

private:
    void fade(int32_t from, int32_t to, int first, int last, int32_t step, uint32_t ms);
};

extern PaletteFader g_fader;
