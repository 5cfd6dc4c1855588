// Wave files as the sound device takes them: our own walk through the RIFF chunks, with the messages
// the engine shows when a file cannot be read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

const uint16_t kWaveFormatPcm = 1;

struct WaveFile {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    std::vector<uint8_t> data;  // the whole data chunk
    uint32_t frames() const { return blockAlign ? static_cast<uint32_t>(data.size() / blockAlign) : 0; }
};

// Reads a PCM wave file (format tag 1) of any layout, as the file gives it: whether a sound device can
// play it is the device's to say. nullptr on success, else the message that names what failed: "Could not
// Open Wave File", "Could not Descend into Wave File", "Could not Descend into format of Wave File", "Error
// reading Wave Format", "Not a valid Wave Format", "Unable to Ascend", "Wave file has no data", "Could
// not read Wave Data".
const char* readWaveFile(const char* sjisName, WaveFile& out);
const char* parseWaveFile(const uint8_t* data, size_t size, WaveFile& out);
