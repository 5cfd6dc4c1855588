#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// glibc's "SHIFT_JIS" lacks the NEC and IBM extensions and turns 0x5C into a yen sign.
const char kShiftJis[] = "CP932";

const size_t kCacheSlots = 1024;
const size_t kArenaBytes = 64 * 1024;

struct CachedText {
    const char* source;
    const char* converted;
};

CachedText g_cache[kCacheSlots];
char g_arena[kArenaBytes];
size_t g_arenaUsed = 0;

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
    }
    // Converts as much as it can; unconvertible input is replaced by '?' when lenient, else fails.
    bool convert(const char* in, char* out, size_t outSize, bool lenient) {
        if (outSize == 0) return false;
        if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t srcLeft = std::strlen(in);
        char* dst = out;
        size_t dstLeft = outSize - 1;
        bool ok = true;
        while (srcLeft > 0) {
            if (iconv(handle_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
            if (errno == E2BIG || !lenient || dstLeft == 0) {
                ok = false;
                break;
            }
            *dst++ = '?';
            --dstLeft;
            ++src;
            --srcLeft;
        }
        *dst = '\0';
        return ok;
    }

private:
    iconv_t handle_;
};

Converter& toUtf8() {
    static Converter converter("UTF-8", kShiftJis);
    return converter;
}

Converter& toSjis() {
    static Converter converter(kShiftJis, "UTF-8");
    return converter;
}

size_t slotOf(const char* text) {
    return (reinterpret_cast<uintptr_t>(text) >> 3) % kCacheSlots;
}

}  // namespace

const char* sjis(const char* utf8) {
    size_t slot = slotOf(utf8);
    for (size_t probe = 0; probe < kCacheSlots; ++probe) {
        CachedText& entry = g_cache[(slot + probe) % kCacheSlots];
        if (entry.source == utf8) return entry.converted;
        if (entry.source != nullptr) continue;
        // Shift-JIS never takes more bytes than UTF-8 for the same text.
        size_t need = std::strlen(utf8) + 1;
        if (g_arenaUsed + need > kArenaBytes) return utf8;
        char* converted = g_arena + g_arenaUsed;
        if (!toSjis().convert(utf8, converted, need, true)) return utf8;
        g_arenaUsed += std::strlen(converted) + 1;
        entry.source = utf8;
        entry.converted = converted;
        return converted;
    }
    return utf8;
}

void sjisToUtf8(const char* sjisText, char* out, size_t outSize) {
    toUtf8().convert(sjisText, out, outSize, true);
}

bool utf8ToSjis(const char* utf8, char* out, size_t outSize) {
    return toSjis().convert(utf8, out, outSize, false);
}
