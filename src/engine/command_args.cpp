#include "engine/command_args.h"

#include <algorithm>
#include <cstdio>

#include "commands/menu_words.h"
#include "display/display.h"
#include "platform/files/text_encoding.h"

namespace {

const int kPlaceCount = 4;
const int32_t kHalfWidth = 320;
const int32_t kLastTransition = 14;
const int32_t kLastChannel = 10;
const int32_t kLastFace = 9;

bool validFlag(int32_t number) {
    return number >= 0 && number < kFlagCount;
}

const char* placeError(int32_t place) {
    if (place < 0 || place >= kPlaceCount) return sjis("[@objload] 現在対応している表示位置は 0～3 です。");
    return nullptr;
}

bool isChannel(int32_t value) {
    return value >= 0 && value <= 255;
}

const char* readFlagPair(const char* args, FlagArgs& out, const char* usage) {
    out = {};
    if (std::sscanf(args, "%d %c %d", &out.number, &out.op, &out.value) < 3) return usage;
    return nullptr;
}

const char* readBranch(const char* args, FlagBranchArgs& out, bool againstFlag, const char* usage,
                       const char* rangeMessage) {
    out = {};
    if (std::sscanf(args, "%d %255s %d %255s %255s", &out.number, out.op, &out.right, out.whenTrue,
                    out.whenFalse) < 5)
        return usage;
    if (!validFlag(out.number) || (againstFlag && !validFlag(out.right))) return rangeMessage;
    return nullptr;
}

const char* readMenu(const char* args, MenuArgs& out, int numbers, const char* usage,
                     const char* countMessage) {
    out.count = out.x = out.y = 0;
    int read = std::sscanf(args, "%d %d %d", &out.count, &out.x, &out.y);
    if (read < numbers) return usage;
    if (out.count < 0 || out.count > kMenuLines) return countMessage;
    MenuWords words(args);
    words.skip(numbers);
    if (!words.lines(out.count, out.texts, out.places)) return usage;
    return nullptr;
}

}  // namespace

bool isTransition(int32_t effect) {
    return effect >= 0 && effect <= kLastTransition;
}

bool isFlagOperator(char op) {
    return op == '+' || op == '-' || op == '*' || op == '/' || op == '%' || op == '=';
}

const char* readGotoArgs(const char* args, PlaceArgs& out) {
    if (std::sscanf(args, "%255s", out.place) != 1) return sjis("@goto(char *name); の書式が間違っています");
    return nullptr;
}

const char* readWaitArgs(const char* args, WaitArgs& out) {
    out.ms = 0;
    if (std::sscanf(args, "%d", &out.ms) != 1) return sjis("wait(int ms); の書式が間違っています");
    return nullptr;
}

const char* readFlagArgs(const char* args, FlagArgs& out) {
    if (const char* usage =
            readFlagPair(args, out, sjis("@flag(int no,char enzan,int value); の書式が間違っています。")))
        return usage;
    if (!validFlag(out.number)) return sjis("[@flag] フラグで指定できる番号が最大値を超えています");
    if (!isFlagOperator(out.op)) return sjis("[@flag] その演算子は現在使われておりません（ぉ");
    return nullptr;
}

const char* readFlagToArgs(const char* args, FlagArgs& out) {
    if (const char* usage =
            readFlagPair(args, out, sjis("@flagto(int no1,char enzan,int no2); の書式が間違っています。")))
        return usage;
    if (!validFlag(out.number) || !validFlag(out.value))
        return sjis("[@flagto] フラグで指定できる番号が最大値を超えています");
    if (!isFlagOperator(out.op)) return sjis("[@flagto] その演算子は現在使われておりません（ぉ");
    return nullptr;
}

const char* readFlagRandomArgs(const char* args, FlagRandomArgs& out) {
    out = {};
    if (std::sscanf(args, "%d %d %d", &out.number, &out.low, &out.high) < 3)
        return sjis("@flagrnd(int no,int min,int max); の書式が間違っています");
    if (!validFlag(out.number)) return sjis("[@flagrnd]フラグ番号が範囲を超えています");
    return nullptr;
}

const char* readFlagSelectArgs(const char* args, FlagBranchArgs& out) {
    return readBranch(args, out, false,
                      sjis("@flagselect(int no1,char *enzan,int value,char *place1,char *place2); "
                           "の書式が間違ってるらしい（ぉ"),
                      sjis("[@flagselect]フラグ番号が範囲を超えています"));
}

const char* readFlagToSelectArgs(const char* args, FlagBranchArgs& out) {
    return readBranch(args, out, true,
                      sjis("@flagtoselect(int no1,char *enzan,int no2,char *place1,char *place2); "
                           "の書式が間違ってるらしい（ぉ"),
                      sjis("[@flagtoselect]フラグ番号が範囲を超えています"));
}

const char* readBgLoadArgs(const char* args, PictureArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d %d", out.file, &out.effect, &out.wait) < 3)
        return sjis("bgload(char *filename,int efect,int wait); の書式が間違っています");
    return nullptr;
}

const char* readObjLoadArgs(const char* args, PictureArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d %d %d", out.file, &out.place, &out.effect, &out.wait) < 4)
        return sjis("objload(char *filename,int place,int efect,int wait); の書式が間違ってますねぇ");
    return placeError(out.place);
}

const char* readObjLoadXyArgs(const char* args, PlacedPictureArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d %d %d %d %d %d %d", out.file, &out.place, &out.x, &out.y, &out.width,
                    &out.height, &out.effect, &out.wait) < 8)
        return sjis(
            "@objloadxy(char *filename,int place,int x,int y,int width,int height,int efect,int wait); "
            "の書式が間違ってますねぇ");
    if (static_cast<int64_t>(out.x) + out.width > kHalfWidth ||
        static_cast<int64_t>(out.y) + out.height > kSlotHeight)
        return sjis("[@objloadxy] キャラクタの表示できる範囲を超えています");
    return placeError(out.place);
}

const char* readObjLoadFArgs(const char* args, PlacedPictureArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d %d %d %d %d %d", out.file, &out.x, &out.y, &out.width, &out.height,
                    &out.effect, &out.wait) < 7)
        return sjis("@objloadf(char *filename,int x,int y,int width,int height,int en,int wa); の書式が違う");
    return nullptr;
}

const char* readPlLoadArgs(const char* args, FileArgs& out) {
    if (std::sscanf(args, "%255s", out.file) < 1)
        return sjis("plload(char *filename); の書式が間違っています");
    return nullptr;
}

bool isReservedEntry(int64_t entry) {
    return entry == kShadowEntry || entry == kGreyEntry || entry == kWhiteEntry;
}

const char* readPlLoadFArgs(const char* args, PaletteCopyArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d %d %d", out.file, &out.count, &out.destination, &out.source) < 4)
        return sjis("@plloadf(char *filename,int value,int ns,int bs); の書式が間違っています");
    return nullptr;
}

// Only the copies into the palette can pass, so every copy outside it past those fails at once and at
// most the 256 inside are looked at one by one.
const char* checkPlLoadFRange(const PaletteCopyArgs& given) {
    const char* outside = sjis("@plloadf で指定できるパレットの上限を超えています");
    if (given.count <= 0) return nullptr;
    int64_t count = given.count, destination = given.destination, source = given.source;
    int64_t first = std::max<int64_t>(0, -destination);
    int64_t last = std::min<int64_t>(count - 1, kWhiteEntry - destination);
    if (first > 0 || last < count - 1) return outside;
    for (int64_t i = first; i <= last; ++i) {
        int64_t d = destination + i, s = source + i;
        if (isReservedEntry(d) || d == kTransparentEntry) continue;
        if (s < 0 || s > kWhiteEntry) return outside;
    }
    return nullptr;
}

const char* readStartArgs(const char* args, StartArgs& out) {
    out.version = 0;
    if (std::sscanf(args, "%f", &out.version) != 1) return sjis("start(float ver); の書式が間違っています");
    return nullptr;
}

const char* readTextEndArgs(const char* args, EntryArgs& out) {
    out.entry = 0;
    if (std::sscanf(args, "%d", &out.entry) < 1) return sjis("@textend(int pal);の書式が違うー");
    return nullptr;
}

const char* readSetTransArgs(const char* args, ColourArgs& out) {
    out = {};
    if (std::sscanf(args, "%d %d %d", &out.red, &out.green, &out.blue) < 3)
        return sjis("@settrans(int r,int g,int b); の書式が違います");
    return nullptr;
}

const char* readMidiArgs(const char* args, MidiArgs& out) {
    out = {};
    if (std::sscanf(args, "%255s %d", out.file, &out.replay) < 2)
        return sjis("@midi(char *filename,char replay); の書式が間違っています");
    return nullptr;
}

const char* readSoundArgs(const char* args, SoundArgs& out) {
    out = {};
    int32_t channel = 0;
    if (std::sscanf(args, "%255s %d %d %d", out.file, &channel, &out.loop, &out.pan) < 4)
        return sjis("@sound(char *filename,int buf,int loop,int pan); の書式が間違ってるらしい");
    out.channel = static_cast<int8_t>(channel);
    if (out.channel < 0 || out.channel > kLastChannel)
        return sjis("@soundで指定できるチャンネルは０～１０です");
    return nullptr;
}

const char* readDamageUsage(const char* args, DamageArgs& out) {
    out.value = 0;
    if (std::sscanf(args, "%d", &out.value) < 1) return sjis("@damage(int value); の書式が間違っています");
    return nullptr;
}

const char* checkDamageRange(const DamageArgs& given) {
    if (given.value < 0) return sjis("@damage(int dam);には正の数を記入してください。");
    return nullptr;
}

const char* readOutArgs(const char* args, OutArgs& out) {
    out = {};
    if (std::sscanf(args, "%d %d", &out.effect, &out.wait) < 2)
        return sjis("@out(int type,int wait); の書式が間違っています");
    return nullptr;
}

const char* readTextArgs(const char* args, TextArgs& out) {
    out = {};
    if (std::sscanf(args, "%d %d %d %d", &out.face, &out.height, &out.width, &out.weight) < 4)
        return sjis("@text(int fontnumber,int width,int height,int haba); の書式が間違っています");
    if (out.face != 0 && (out.face < 1 || out.face > kLastFace)) return sjis("フォント番号は９までです。");
    return nullptr;
}

const char* readTextColorArgs(const char* args, TextColorArgs& out) {
    out = {};
    if (std::sscanf(args, "%d %d %d %d", &out.entry, &out.red, &out.green, &out.blue) < 4)
        return sjis("@textcolor(int palnumber,int r,int g,int b); の書式が違うー");
    if (!isChannel(out.red) || !isChannel(out.green) || !isChannel(out.blue))
        return sjis("[@textcolor]指定できるＲＧＢ値は０～２５５です");
    if (out.entry < 0 || out.entry > kWhiteEntry || out.entry <= kGreyEntry)
        return sjis("[@textcolor]そのパレットは使用できません");
    return nullptr;
}

const char* readSelectArgs(const char* args, MenuArgs& out) {
    return readMenu(args, out, 1,
                    sjis("@select(int value,char *str1,char *place1,･････); の書式が間違っています"),
                    sjis("@select();で分岐できる最大数は10です"));
}

const char* readTitleArgs(const char* args, MenuArgs& out) {
    return readMenu(args, out, 3,
                    sjis("@title(int value,int x,int y,char *str1,char *place1,･････,char *place_); "
                         "の書式がアカン"),
                    sjis("[@title] で与えられるメニュー数の最大値は10です"));
}
