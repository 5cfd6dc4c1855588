// Character boundaries in Shift-JIS text.
#pragma once
#include <cstdint>

// A lead byte of the Shift-JIS code page starts a two-byte character. Half-width katakana
// (0xA1–0xDF) are single bytes.
inline bool isLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The length of the longest prefix of text, at most maxBytes, made of whole characters. A lead byte
// standing last has no trail byte: it is no character, and shown before other text it would swallow
// that text's first byte.
inline int sjisPrefixLength(const char* text, int maxBytes) {
    int length = 0;
    while (text[length] != '\0') {
        bool lead = isLeadByte(static_cast<uint8_t>(text[length]));
        if (lead && text[length + 1] == '\0') break;
        int size = lead ? 2 : 1;
        if (length + size > maxBytes) break;
        length += size;
    }
    return length;
}
