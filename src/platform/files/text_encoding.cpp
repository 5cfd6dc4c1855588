#include "platform/files/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

// glibc's "SHIFT_JIS" lacks the NEC and IBM extensions and turns 0x5C into a yen sign.
const char kShiftJis[] = "CP932";

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

    // Converts exactly the bytes of in (no terminator is written); false when any is not convertible.
    bool convertBytes(const char* in, char* out, size_t outSize) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t srcLeft = std::strlen(in);
        size_t dstLeft = outSize;
        return iconv(handle_, &src, &srcLeft, &out, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0;
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

}  // namespace

// Keyed by the text itself, not by where it lies, so that a buffer reused for another text never
// finds the old one; the table grows as needed and never lets a text through unconverted.
const char* sjis(const char* utf8) {
    static auto& converted = *new std::unordered_map<std::string, std::unique_ptr<char[]>>;
    auto found = converted.find(utf8);
    if (found != converted.end()) return found->second.get();
    // Shift-JIS never takes more bytes than UTF-8 for the same text.
    size_t size = std::strlen(utf8) + 1;
    std::unique_ptr<char[]> text(new char[size]);
    if (!toSjis().convert(utf8, text.get(), size, true)) {
        std::fprintf(stderr, "zebora: this system cannot convert text to Shift-JIS (CP932)\n");
        std::exit(1);
    }
    return converted.emplace(utf8, std::move(text)).first->second.get();
}

void sjisToUtf8(const char* sjisText, char* out, size_t outSize) {
    toUtf8().convert(sjisText, out, outSize, true);
}

bool utf8ToSjis(const char* utf8, char* out, size_t outSize) {
    return toSjis().convert(utf8, out, outSize, false);
}

std::string utf8ToSjisLenient(const char* utf8) {
    // Shift-JIS never takes more bytes than UTF-8 for the same text.
    std::string text(std::strlen(utf8) + 1, '\0');
    toSjis().convert(utf8, &text[0], text.size(), true);
    text.resize(std::strlen(text.c_str()));
    return text;
}

// A Shift-JIS name is hardly ever valid UTF-8: its lead bytes 0x81–0x9F cannot start a UTF-8
// character. Each byte of Shift-JIS takes at most three of UTF-8 (a half-width kana does).
std::string nameToUtf8(const char* name) {
    static Converter checkUtf8("UTF-8", "UTF-8");
    size_t size = std::strlen(name) * 3 + 1;
    std::unique_ptr<char[]> text(new char[size]);
    if (!checkUtf8.convert(name, text.get(), size, false)) sjisToUtf8(name, text.get(), size);
    return text.get();
}

namespace {

const uint32_t kReplacement = 0xFFFD;
const int kLeadBytes = 128;  // 0x80–0xFF
const int kTrailBytes = 256;

bool isLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The Unicode characters of every two-byte and one-byte code, converted once through iconv.
struct CodeTables {
    uint16_t twoByte[kLeadBytes][kTrailBytes];
    uint16_t oneByte[256];
    CodeTables() {
        Converter& convert = toUtf8Table();
        for (int lead = 0; lead < kLeadBytes; ++lead) {
            for (int trail = 0; trail < kTrailBytes; ++trail) {
                char in[3] = {static_cast<char>(lead + 0x80), static_cast<char>(trail), 0};
                twoByte[lead][trail] = static_cast<uint16_t>(
                    isLead(static_cast<unsigned char>(in[0])) && trail >= 0x40 ? decode(convert, in)
                                                                               : kReplacement);
            }
        }
        for (int byte = 0; byte < 256; ++byte) {
            char in[2] = {static_cast<char>(byte), 0};
            oneByte[byte] = static_cast<uint16_t>(
                byte == 0 || isLead(static_cast<unsigned char>(byte)) ? kReplacement : decode(convert, in));
        }
    }
    static Converter& toUtf8Table() {
        static Converter converter("UTF-32LE", kShiftJis);
        return converter;
    }
    static uint32_t decode(Converter& convert, const char* in) {
        char out[16] = {};
        if (!convert.convertBytes(in, out, sizeof out)) return kReplacement;
        uint32_t code = static_cast<uint8_t>(out[0]) | static_cast<uint8_t>(out[1]) << 8 |
                        static_cast<uint8_t>(out[2]) << 16;
        return code > 0xFFFF ? kReplacement : code;
    }
};

}  // namespace

uint32_t sjisCharacter(const unsigned char* text, int& length) {
    static const CodeTables* tables = new CodeTables();
    if (isLead(text[0]) && text[1] != 0) {
        length = 2;
        return tables->twoByte[text[0] - 0x80][text[1]];
    }
    length = 1;
    return tables->oneByte[text[0]];
}

namespace {

// The UTF-8 of each byte 0x80–0xFF in a single-byte code page; a byte the page leaves undefined
// stands for the control character of its own number, as Windows reads it.
struct SingleBytePage {
    std::string utf8[128];
    explicit SingleBytePage(const char* codePage) {
        Converter convert("UTF-8", codePage);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            char in[2] = {static_cast<char>(byte), 0}, out[8] = {};
            if (convert.convertBytes(in, out, sizeof out - 1) && out[0] != '\0') {
                utf8[byte - 0x80] = out;
            } else {
                utf8[byte - 0x80] = {static_cast<char>(0xC0 | byte >> 6),
                                     static_cast<char>(0x80 | (byte & 0x3F))};
            }
        }
    }
};

}  // namespace

std::string misreadName(const std::string& sjisName, MisreadPage page) {
    static const SingleBytePage cp437("CP437"), cp1252("CP1252");
    const SingleBytePage& table = page == MisreadPage::Cp437 ? cp437 : cp1252;
    std::string name;
    for (char c : sjisName) {
        auto byte = static_cast<unsigned char>(c);
        name += byte < 0x80 ? std::string(1, c) : table.utf8[byte - 0x80];
    }
    return name;
}
