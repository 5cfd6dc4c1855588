#include "golden.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "display/display.h"
#include "platform/formats/content_hash.h"
#include "platform/formats/little_endian.h"
#include "platform/window/png_file.h"
#include "platform/window/screen_picture.h"

namespace {

const char kGoldensFile[] = ZEBORA_SOURCE_DIR "/tests/goldens.txt";

std::string checksum(const std::vector<uint8_t>& bytes, int width, int height) {
    std::string size;
    LittleEndianWriter fields(size);
    fields.i32(width);
    fields.i32(height);
    uint64_t hash = contentHash(bytes.data(), bytes.size(), contentHash(size.data(), size.size()));
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::map<std::string, std::string> readGoldens() {
    std::map<std::string, std::string> goldens;
    std::ifstream in(kGoldensFile);
    std::string name, sum;
    while (in >> name >> sum)
        goldens[name] = sum;
    return goldens;
}

bool updating() {
    const char* value = std::getenv("ZEBORA_UPDATE_GOLDENS");
    return value && *value == '1';
}

}  // namespace

void expectGolden(const std::string& name, const std::vector<uint8_t>& rgb, int width, int height) {
    std::string actual = checksum(rgb, width, height);
    std::map<std::string, std::string> goldens = readGoldens();
    if (updating()) {
        goldens[name] = actual;
        std::ofstream out(kGoldensFile);
        for (const auto& entry : goldens)
            out << entry.first << ' ' << entry.second << '\n';
        return;
    }
    auto found = goldens.find(name);
    bool same = found != goldens.end() && found->second == actual;
    EXPECT_TRUE(same) << "picture " << name << " differs from its golden (make goldens records it anew)";
    if (!same) {
        mkdir("golden-failures", 0755);
        writePng(("golden-failures/" + name + ".png").c_str(), rgb.data(), width, height);
    }
}

std::vector<uint8_t> slotRgb(int slot) {
    std::vector<uint8_t> rgb(kSlotWidth * kSlotHeight * 3);
    g_display.mapSurface(slot);
    ScreenSource source;
    source.pixels = g_display.pixels[slot];
    source.pitch = g_display.pitch[slot];
    source.palette = &g_devicePalette[0].red;
    screenToRgb(source, rgb.data());
    return rgb;
}

void expectShotGolden(const std::string& name, const std::string& pngPath) {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    ASSERT_TRUE(readPng(pngPath.c_str(), rgb, width, height)) << pngPath;
    expectGolden(name, rgb, width, height);
}

void expectGoldenText(const std::string& name, const std::string& text) {
    std::string path = std::string(ZEBORA_SOURCE_DIR) + "/tests/goldens/" + name + ".txt";
    if (updating()) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str()) << "text " << name << " differs from " << path
                                  << " (make goldens records it anew)";
}
