// The record of what the reader has read, taken from its file's bytes. A record has one form, so
// bytes that are taken are what the record writes back, byte for byte; bytes that are not leave
// nothing read; and nothing outside the script is ever read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/read_record.h"

namespace {

// The script the seeds were made for (make_seeds.py makes the same): 300 characters.
std::string seedScript() {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<char>('a' + i * 7 % 26);
    return text;
}

ReadRecord recordOf(const std::string& script) {
    ReadRecord record;
    record.open("", script.data(), static_cast<int32_t>(script.size()));
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string script = seedScript();
    static const std::string unread = recordOf(script).encode();
    const int32_t length = static_cast<int32_t>(script.size());
    ReadRecord record = recordOf(script);
    bool taken = record.decode(data, size);
    std::string written = record.encode();
    if (written != (taken ? std::string(reinterpret_cast<const char*>(data), size) : unread))
        __builtin_trap();
    if (record.isRead(-1) || record.isRead(length) || record.isRead(length - 1, length + 1)) __builtin_trap();
    return 0;
}
