// The arguments of the script commands, read from the command's args text and checked with the
// command's own messages before it acts. The handlers act on what these read; the script checker
// reads every command the same way without playing. Each returns nullptr when the arguments are
// good, else the message (Shift-JIS) the command stops with.
#pragma once
#include <cstdint>

#include "engine/script_engine.h"

// goto, and the first word of name: a place.
struct PlaceArgs {
    char place[kNameBytes];
};
const char* readGotoArgs(const char* args, PlaceArgs& out);

struct WaitArgs {
    int32_t ms;
};
const char* readWaitArgs(const char* args, WaitArgs& out);

// flag and flagto: a flag, an operator and a value (for flagto, a second flag).
struct FlagArgs {
    int32_t number;
    char op;
    int32_t value;
};
const char* readFlagArgs(const char* args, FlagArgs& out);
const char* readFlagToArgs(const char* args, FlagArgs& out);
// The operators flag and flagto know.
bool isFlagOperator(char op);

struct FlagRandomArgs {
    int32_t number;
    int32_t low;
    int32_t high;
};
const char* readFlagRandomArgs(const char* args, FlagRandomArgs& out);

// flagselect and flagtoselect: a flag compared with a value (or a second flag), and two places.
struct FlagBranchArgs {
    int32_t number;
    char op[kNameBytes];
    int32_t right;
    char whenTrue[kNameBytes];
    char whenFalse[kNameBytes];
};
const char* readFlagSelectArgs(const char* args, FlagBranchArgs& out);
const char* readFlagToSelectArgs(const char* args, FlagBranchArgs& out);

// bgload, objload: a picture ("clear" empties), a character place, a transition and its wait.
struct PictureArgs {
    char file[kNameBytes];
    int32_t place;
    int32_t effect;
    int32_t wait;
};
const char* readBgLoadArgs(const char* args, PictureArgs& out);
const char* readObjLoadArgs(const char* args, PictureArgs& out);

// objloadxy and objloadf: a picture at (x, y) of width × height, in a character place (objloadxy) or
// anywhere on the character layer (objloadf, where "show" loads nothing).
struct PlacedPictureArgs {
    char file[kNameBytes];
    int32_t place;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t effect;
    int32_t wait;
};
const char* readObjLoadXyArgs(const char* args, PlacedPictureArgs& out);
const char* readObjLoadFArgs(const char* args, PlacedPictureArgs& out);

// plload: a palette file.
struct FileArgs {
    char file[kNameBytes];
};
const char* readPlLoadArgs(const char* args, FileArgs& out);

// plloadf: value entries of a palette file from entry source on into the palette from destination on.
struct PaletteCopyArgs {
    char file[kNameBytes];
    int32_t count;
    int32_t destination;
    int32_t source;
};
const char* readPlLoadFArgs(const char* args, PaletteCopyArgs& out);
// Said once the file is read: an entry copied to or from outside the palette. The reserved entries and
// the colour key are skipped wherever they are, so they never count.
const char* checkPlLoadFRange(const PaletteCopyArgs& given);
// The entries no palette file replaces: the shadow, the grey and the white.
bool isReservedEntry(int64_t entry);

// start: the engine version the script was written for.
struct StartArgs {
    float version;
};
const char* readStartArgs(const char* args, StartArgs& out);

// textend: a palette entry to release.
struct EntryArgs {
    int32_t entry;
};
const char* readTextEndArgs(const char* args, EntryArgs& out);

// settrans: the colour key's colour, or -1, -1, -1 for none.
struct ColourArgs {
    int32_t red;
    int32_t green;
    int32_t blue;
};
const char* readSetTransArgs(const char* args, ColourArgs& out);

struct MidiArgs {
    char file[kNameBytes];
    int32_t replay;
};
const char* readMidiArgs(const char* args, MidiArgs& out);

// The channel is taken as a signed byte, as the engine stored it.
struct SoundArgs {
    char file[kNameBytes];
    int8_t channel;
    int32_t loop;
    int32_t pan;
};
const char* readSoundArgs(const char* args, SoundArgs& out);

struct DamageArgs {
    int32_t value;
};
// damage says its usage before it copies the scene and its range after.
const char* readDamageUsage(const char* args, DamageArgs& out);
const char* checkDamageRange(const DamageArgs& given);

struct OutArgs {
    int32_t effect;
    int32_t wait;
};
const char* readOutArgs(const char* args, OutArgs& out);

struct TextArgs {
    int32_t face;
    int32_t height;
    int32_t width;
    int32_t weight;
};
const char* readTextArgs(const char* args, TextArgs& out);

struct TextColorArgs {
    int32_t entry;
    int32_t red;
    int32_t green;
    int32_t blue;
};
const char* readTextColorArgs(const char* args, TextColorArgs& out);

// select and title: menu lines of a text and a place each; title also places the menu at (x, y).
struct MenuArgs {
    int32_t count;
    int32_t x;
    int32_t y;
    char texts[kMenuLines][kNameBytes];
    char places[kMenuLines][kNameBytes];
};
const char* readSelectArgs(const char* args, MenuArgs& out);
const char* readTitleArgs(const char* args, MenuArgs& out);

// What the commands that read files stop with when a file cannot be read.
inline constexpr char kMissingPaletteMessage[] = "@plloadで指定したファイルが見つかりません";
inline constexpr char kUnreadablePaletteMessage[] = "ファイルが開けません（plloadf)";
inline constexpr char kUnreadableKeyColourMessage[] = "ファイルが開けません（objload関連)";

// The transitions run by number; bgload and out take no other.
bool isTransition(int32_t effect);
// objload, objloadxy and objloadf take -1 for no transition.
const int32_t kNoTransition = -1;
