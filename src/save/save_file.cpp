// One walk over the file's fields, in the file's order, serves writing, reading and checking: the
// three cannot disagree about where a field lies, and a field added to the walk is written, read and
// checked at once.
#include "save/save_file.h"

#include <cstring>

#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/formats/little_endian.h"
#include "platform/text/text_rasteriser.h"
#include "sound/wave_sound.h"

namespace {

const size_t kHeaderBytes = 8;
// The centre layer is kept in its left half only; loading leaves its right half as it is.
const int kSavedCentreWidth = kSlotWidth / 2;
// Far beyond any page the message window reaches, and so far below the 32-bit limit that no sum of
// the layout (a cursor plus a font size, an advance or a margin) comes near it.
const int32_t kCursorLimit = 1 << 24;
// An offset beyond a whole colour channel shows as one at it, and the fades walk from it step by step.
const int32_t kBrightnessLimit = 255;

// What a number of the file may hold: writing and reading pass it by, checking enforces it.
enum class Bound { kAny, kScriptPosition, kCursor, kFontSize, kColourEntry, kBrightness, kChoiceCount };

template <class Fields>
void walkHeader(Fields& f, SaveHeader& header) {
    f.number(header.year);
    f.number(header.month);
    f.number(header.day);
    f.number(header.playthrough);
    f.number(header.playTimeMs);
}

template <class Fields>
void walkEngineFields(Fields& f) {
    for (int32_t& flag : g_engine.flags)
        f.number(flag);
    f.number(g_engine.pos, Bound::kScriptPosition);
    f.number(g_engine.textX, Bound::kCursor);
    f.number(g_engine.textY, Bound::kCursor);
    f.number(g_engine.textColor, Bound::kColourEntry);
    f.number(g_engine.dimLevel, Bound::kBrightness);
    f.name(g_engine.fontFace);
    f.number(g_engine.fontHeight, Bound::kFontSize);
    f.number(g_engine.fontWidth, Bound::kFontSize);
    f.number(g_engine.fontWeight);
}

// Rows top to bottom, packed without the slot's pitch.
template <class Fields>
void walkSlot(Fields& f, int slot, int width) {
    g_display.mapSurface(slot);
    for (int y = 0; y < kSlotHeight; ++y)
        f.bytes(g_display.pixels[slot] + static_cast<size_t>(y) * g_display.pitch[slot], width);
}

template <class Fields>
void walkNamesAndSounds(Fields& f) {
    f.name(g_engine.bgName);
    f.name(g_engine.midiName);
    for (int channel = 0; channel < kSavedSoundChannels; ++channel)
        f.name(g_sound.channels[channel].fileName);
    for (int channel = 0; channel < kSavedSoundChannels; ++channel)
        f.number(g_sound.channels[channel].playFlags);
    for (int channel = 0; channel < kSavedSoundChannels; ++channel)
        f.number(g_sound.channels[channel].pan);
}

template <class Fields>
void walkPalette(Fields& f) {
    for (PaletteEntry& entry : g_basePalette) {
        f.number(entry.red);
        f.number(entry.green);
        f.number(entry.blue);
        f.number(entry.flag);
    }
    f.bytes(g_fadeLocked, kPaletteEntries);
    f.number(g_engine.transparentSet);
}

// Everything between the header and the wait kind.
template <class Fields>
void walkState(Fields& f) {
    walkEngineFields(f);
    walkSlot(f, SLOT_TEXT, kSlotWidth);
    walkSlot(f, SLOT_CHARS, kSlotWidth);
    walkSlot(f, SLOT_CENTER, kSavedCentreWidth);
    walkNamesAndSounds(f);
    walkPalette(f);
}

// All ten entries, whatever the count: the engine keeps them all.
template <class Fields>
void walkChoices(Fields& f) {
    f.number(g_engine.choiceCount, Bound::kChoiceCount);
    for (auto& text : g_engine.choiceText)
        f.name(text);
    for (auto& place : g_engine.choicePlace)
        f.name(place);
    for (MenuRect& rect : g_engine.choiceRect) {
        f.number(rect.left);
        f.number(rect.top);
        f.number(rect.right);
        f.number(rect.bottom);
    }
}

template <class Fields>
void walkFile(Fields& f, SaveHeader& header, int32_t& waitKind) {
    walkHeader(f, header);
    walkState(f);
    f.number(waitKind);
    if (waitKind == kSaveWaitChoice) walkChoices(f);
}

// The file holds numbers of one byte and of four.
template <class T>
constexpr bool isFieldNumber() {
    return sizeof(T) == 1 || sizeof(T) == 4;
}

class Encoder {
public:
    explicit Encoder(std::string& out) : out_(out) {}
    template <class T>
    void number(T value, Bound = Bound::kAny) {
        static_assert(isFieldNumber<T>());
        if constexpr (sizeof(T) == 1) {
            out_.u8(static_cast<uint8_t>(value));
        } else {
            out_.u32(static_cast<uint32_t>(value));
        }
    }
    void bytes(const uint8_t* data, size_t count) { out_.bytes(data, count); }
    void name(const char (&text)[kNameBytes]) { out_.bytes(text, kNameBytes); }

private:
    LittleEndianWriter out_;
};

class FieldReader {
public:
    FieldReader(const uint8_t* data, size_t size) : in_(data, size) {}
    template <class T>
    T next() {
        static_assert(isFieldNumber<T>());
        if constexpr (sizeof(T) == 1) {
            return static_cast<T>(in_.readU8());
        } else {
            return static_cast<T>(in_.readU32());
        }
    }
    const uint8_t* nextBytes(size_t count) { return in_.readBytes(count); }
    void skip(size_t count) { in_.skip(count); }

private:
    LittleEndianReader in_;
};

class Decoder : public FieldReader {
public:
    using FieldReader::FieldReader;
    template <class T>
    void number(T& field, Bound = Bound::kAny) {
        field = next<T>();
    }
    void bytes(uint8_t* data, size_t count) { copyNext(data, count); }
    void name(char (&text)[kNameBytes]) { copyNext(text, kNameBytes); }

private:
    // A file cut short leaves the rest as it was; checked files never are.
    void copyNext(void* to, size_t count) {
        if (const uint8_t* from = nextBytes(count)) std::memcpy(to, from, count);
    }
};

struct Range {
    int64_t low;
    int64_t high;
    const char* broken;
};

// Reads the fields the walk names without storing any, and keeps the first rule they break. It walks
// only bytes of a bookmark's size, so every field lies within them.
class Checker : public FieldReader {
public:
    Checker(const std::vector<uint8_t>& bytes, int32_t scriptLength)
        : FieldReader(bytes.data(), bytes.size()), scriptLength_(scriptLength) {}
    template <class T>
    void number(const T&, Bound bound = Bound::kAny) {
        Range range = rangeOf(bound);
        T value = next<T>();
        require(value >= range.low && value <= range.high, range.broken);
    }
    void bytes(const uint8_t*, size_t count) { skip(count); }
    void name(const char (&)[kNameBytes]) {
        require(std::memchr(nextBytes(kNameBytes), '\0', kNameBytes) != nullptr,
                "a name runs on past its 256 bytes");
    }
    const char* firstBroken() const { return broken_; }

private:
    void require(bool kept, const char* rule) {
        if (!kept && !broken_) broken_ = rule;
    }
    Range rangeOf(Bound bound) const;

    int32_t scriptLength_;
    const char* broken_ = nullptr;
};

Range Checker::rangeOf(Bound bound) const {
    switch (bound) {
        case Bound::kScriptPosition:
            return {0, scriptLength_, "the script position lies outside the script"};
        case Bound::kCursor:
            return {-kCursorLimit, kCursorLimit, "the text cursor lies far off the page"};
        case Bound::kFontSize:
            return {-kLargestFontSize, kLargestFontSize, "a font size is beyond the largest font drawn"};
        case Bound::kColourEntry:
            return {0, kPaletteEntries - 1, "the text colour is not a palette entry"};
        case Bound::kBrightness:
            return {-kBrightnessLimit, kBrightnessLimit, "the dimming is beyond the brightness range"};
        case Bound::kChoiceCount:
            return {0, kMenuLines, "the choice count is more than a menu holds"};
        case Bound::kAny:
            break;
    }
    return {INT64_MIN, INT64_MAX, nullptr};
}

}  // namespace

std::string encodeSaveFile(const SaveHeader& header, int32_t waitKind) {
    std::string out;
    out.reserve(kSaveFileWithChoicesBytes);
    Encoder encoder(out);
    SaveHeader written = header;
    walkFile(encoder, written, waitKind);
    return out;
}

SaveHeader decodeSaveHeader(const uint8_t* bytes) {
    SaveHeader header = {};
    Decoder decoder(bytes, kHeaderBytes);
    walkHeader(decoder, header);
    return header;
}

const char* checkSaveFile(const std::vector<uint8_t>& bytes, int32_t scriptLength) {
    bool withChoices = bytes.size() == kSaveFileWithChoicesBytes;
    if (!withChoices && bytes.size() != kSaveFileBytes) return "the size is not a bookmark's";
    Checker checker(bytes, scriptLength);
    checker.skip(kHeaderBytes);
    walkState(checker);
    if (checker.firstBroken()) return checker.firstBroken();
    int32_t waitKind = checker.next<int32_t>();
    if (waitKind < 0 || waitKind > kSaveWaitChoice)
        return "the wait kind is neither a click, a page nor a choice";
    if ((waitKind == kSaveWaitChoice) != withChoices) return "the wait kind disagrees with the size";
    if (withChoices) walkChoices(checker);
    return checker.firstBroken();
}

int32_t decodeSaveFile(const std::vector<uint8_t>& bytes) {
    Decoder decoder(bytes.data(), bytes.size());
    SaveHeader header = {};
    int32_t waitKind = 0;
    walkFile(decoder, header, waitKind);
    return waitKind;
}
