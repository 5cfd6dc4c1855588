// Our wave reader on files made here, each failing step with its message, and on every wave file of
// two games and of Python's tests that no one here wrote, measured by sox.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/audio/private/wave_budget.h"
#include "platform/formats/little_endian.h"
#include "platform/formats/wave_file.h"
#include "test_support.h"

namespace {

// A PCM format; the block alignment and the bytes a second follow from the rest unless given.
struct Format {
    uint16_t tag = kWaveFormatPcm;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 8;
    int blockAlign = -1;
    int64_t bytesPerSecond = -1;
};

std::string formatBody(const Format& format, bool withExtraSize = false) {
    uint16_t align = format.blockAlign >= 0 ? format.blockAlign : format.channels * format.bits / 8;
    std::string out;
    LittleEndianWriter write(out);
    write.u16(format.tag);
    write.u16(format.channels);
    write.u32(format.rate);
    write.u32(
        static_cast<uint32_t>(format.bytesPerSecond >= 0 ? format.bytesPerSecond : format.rate * align));
    write.u16(align);
    write.u16(format.bits);
    if (withExtraSize) write.u16(0);
    return out;
}

// A chunk, padded to an even size; its header may declare another size than the body's.
std::string chunk(const char* id, const std::string& body, int64_t declared = -1) {
    std::string out(id, 4);
    LittleEndianWriter(out).u32(static_cast<uint32_t>(declared >= 0 ? declared : body.size()));
    return out + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string riff(const std::string& chunks, const char* form = "WAVE", int64_t declared = -1) {
    return chunk("RIFF", form + chunks, declared >= 0 ? declared : 4 + chunks.size());
}

const std::string kFormat8 = chunk("fmt ", formatBody(Format()));

const char* parse(const std::string& bytes, WaveFile& out) {
    return parseWaveFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

std::string messageOf(const std::string& bytes) {
    WaveFile wave;
    const char* message = parse(bytes, wave);
    return message ? message : "read";
}

}  // namespace

TEST(WaveFile, ReadsPastAWrongRiffSizeFactAndListChunksAndOddSizes) {
    std::string eightBitMono =
        riff(chunk("fmt ", formatBody(Format(), true)) + chunk("fact", std::string("\3\0\0\0", 4)) +
                 chunk("data", "\x80\xFF\x7F") + chunk("LIST", "INFO"),
             "WAVE", 4);
    WaveFile wave;
    ASSERT_EQ(parse(eightBitMono, wave), nullptr);
    EXPECT_EQ(wave.data, (std::vector<uint8_t>{0x80, 0xFF, 0x7F}));
    EXPECT_EQ(wave.frames(), 3u);
    EXPECT_EQ(wave.bytesPerSecond, 22050u);

    Format stereo;
    stereo.channels = 2, stereo.bits = 16, stereo.rate = 44100;
    std::string samples("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    std::string file = chunk("RIFF", "AVI ") + riff(chunk("fmt ", formatBody(stereo)) + chunk("LIST", "odd") +
                                                    chunk("data", samples));
    TempFolder folder;
    writeFile(folder.file("Gust.wav"), file);
    ASSERT_EQ(readWaveFile((folder.path() + "/GUST.WAV").c_str(), wave), nullptr);
    EXPECT_EQ(wave.data, std::vector<uint8_t>(samples.begin(), samples.end()));
    EXPECT_EQ(wave.frames(), 2u);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.rate, 44100u);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_EQ(wave.blockAlign, 4);
}

TEST(WaveFile, EachStepThatFailsHasItsMessage) {
    const uint32_t kNearlyFourGiB = 0xFFFFFFF0u;
    const std::string data = chunk("data", "\x80\x80");
    const struct {
        std::string file;
        const char* message;
    } cases[] = {
        {"RIFF", "Could not Descend into Wave File"},
        {riff(kFormat8 + data, "AVI "), "Could not Descend into Wave File"},
        {riff(data), "Could not Descend into format of Wave File"},
        {riff(kFormat8), "Error reading Wave Format"},
        {riff(chunk("fmt ", formatBody(Format(), true), kNearlyFourGiB)), "Unable to Ascend"},
        {riff(kFormat8 + chunk("LIST", "INFO")), "Wave file has no data"},
        {riff(kFormat8 + chunk("LIST", "", kNearlyFourGiB) + data), "Wave file has no data"},
        {riff(kFormat8 + chunk("data", "\x80\x80", 3)), "Could not read Wave Data"},
        {riff(kFormat8 + chunk("data", "\x80\x80", kNearlyFourGiB)), "Could not read Wave Data"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messageOf(c.file), c.message) << "case " << &c - cases;
    WaveFile wave;
    EXPECT_STREQ(readWaveFile("/nonexistent/zebora.wav", wave), "Could not Open Wave File");
}

// Only a format other than PCM is refused here: whatever its layout, a PCM file is read, for the
// device to convert or refuse, and the steps after the format keep their order.
TEST(WaveFile, RefusesOnlyAFormatOtherThanPcm) {
    Format refused[3], taken[9];
    refused[0].tag = 2, refused[1].tag = 3, refused[2].tag = 0xFFFE;
    taken[0].channels = 0, taken[1].channels = 6, taken[2].channels = 9, taken[3].bits = 24,
    taken[4].bits = 32;
    taken[5].rate = 0, taken[6].rate = 4000000, taken[7].blockAlign = 3, taken[8].bytesPerSecond = 11025;
    const std::string data = chunk("data", "\x80\x80\x80\x80");
    for (const Format& format : refused)
        EXPECT_EQ(messageOf(riff(chunk("fmt ", formatBody(format)) + data)), "Not a valid Wave Format");
    for (const Format& format : taken)
        EXPECT_EQ(messageOf(riff(chunk("fmt ", formatBody(format)) + data)), "read") << &format - taken;
    EXPECT_EQ(messageOf(riff(chunk("fmt ", formatBody(taken[2], true)))), "Wave file has no data");
    EXPECT_EQ(messageOf(riff(chunk("fmt ", formatBody(taken[3], true), 0xFFFFFFF0u))), "Unable to Ascend");
    EXPECT_EQ(messageOf(riff(chunk("fmt ", formatBody(refused[2], true), 0xFFFFFFF0u))),
              "Not a valid Wave Format");
}

namespace {

std::vector<std::string> waveFilesUnder(const std::string& folder, bool recursive) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    auto take = [&](const fs::directory_entry& entry) {
        if (entry.path().extension() == ".wav") found.push_back(entry.path().string());
    };
    if (recursive) {
        for (const auto& entry : fs::recursive_directory_iterator(folder, error))
            take(entry);
    } else {
        for (const auto& entry : fs::directory_iterator(folder, error))
            take(entry);
    }
    return found;
}

// What `soxi -OPTION` prints for each file, one number a file.
std::vector<uint64_t> soxi(const char* option, const std::vector<std::string>& files) {
    std::string command = std::string("soxi ") + option;
    for (const std::string& file : files)
        command += " '" + file + "'";
    std::istringstream lines(commandOutput(command + " 2>/dev/null"));
    std::vector<uint64_t> values;
    for (uint64_t value = 0; lines >> value;)
        values.push_back(value);
    return values;
}

}  // namespace

TEST(WaveFile, ReadsTheSoundsOfOtherGamesAsSoxMeasuresThem) {
    std::vector<std::string> files = waveFilesUnder("/usr/share/games/pinball", true);
    for (const char* folder : {"/usr/share/games/dink/dink/Sound", "/usr/lib/python3.11/test/audiodata"}) {
        for (const std::string& file : waveFilesUnder(folder, false))
            files.push_back(file);
    }
    if (files.empty() || !programInstalled("soxi"))
        GTEST_SKIP() << "pinball-data, freedink-data or sox is not installed (make deps installs them)";
    std::vector<uint64_t> channels = soxi("-c", files), rates = soxi("-r", files), bits = soxi("-b", files),
                          frames = soxi("-s", files);
    for (const auto* measured : {&channels, &rates, &bits, &frames})
        ASSERT_EQ(measured->size(), files.size()) << "soxi could not measure every file";
    for (size_t i = 0; i < files.size(); ++i) {
        WaveFile wave;
        ASSERT_EQ(readWaveFile(files[i].c_str(), wave), nullptr) << files[i];
        EXPECT_EQ(wave.channels, channels[i]) << files[i];
        EXPECT_EQ(wave.rate, rates[i]) << files[i];
        EXPECT_EQ(wave.bits, bits[i]) << files[i];
        EXPECT_EQ(wave.frames(), frames[i]) << files[i];
        // Every one loads on a device but freedink's intro.wav: one sample, smaller than any buffer.
        EXPECT_EQ(WaveBudget().admits(0, wave), frames[i] > 1) << files[i];
    }
}
