// Golden pictures: a checksum per picture in tests/goldens.txt. `make goldens` records the current
// pictures instead of comparing; a mismatch leaves the picture as golden-failures/NAME.png in the
// build folder for a look.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

void expectGolden(const std::string& name, const std::vector<uint8_t>& rgb, int width, int height);
// A slot's pixels through the device palette.
std::vector<uint8_t> slotRgb(int slot);
// A shot the headless reader wrote.
void expectShotGolden(const std::string& name, const std::string& pngPath);
// A text kept whole as tests/goldens/NAME.txt, such as what a reader reads of a demo game.
void expectGoldenText(const std::string& name, const std::string& text);
