#include "engine/script_checker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "commands/command_args.h"
#include "display/palette_file.h"
#include "engine/private/script_text.h"
#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "frontend/front_end.h"
#include "platform/bitmap_file.h"
#include "platform/file_system.h"
#include "platform/midi_file.h"
#include "platform/text_encoding.h"
#include "platform/wave_file.h"

namespace {

namespace fs = std::filesystem;

// The rows of the dispatcher's handler table that have arguments to check.
enum CommandIndex {
    START = 0,
    BGLOAD = 1,
    PLLOAD = 2,
    OBJLOAD = 3,
    OBJLOADXY = 15,
    OBJLOADF = 16,
    WAIT = 4,
    GOTO = 6,
    TEXT = 7,
    DAMAGE = 8,
    SELECT = 9,
    FLAG = 10,
    FLAGRND = 11,
    FLAGTO = 12,
    FLAGSELECT = 13,
    FLAGTOSELECT = 14,
    TITLE = 18,
    OUT = 20,
    MIDI = 21,
    SOUND = 22,
    PLLOADF = 24,
    TEXTCOLOR = 25,
    TEXTEND = 26,
    SETTRANS = 27,
};

const int kLongestCommandName = 100;
const int kShownBytes = 50;
const char* const kReservedPlaces[] = {"end", "0", "loadstart", "fileinit"};

struct Problem {
    int line;
    std::string text;  // UTF-8
};

struct PlaceUse {
    std::string name;
    int32_t at;
};

// The start of text, cut to kShownBytes between two characters, as the engine's messages show it.
std::string shownText(const char* text, int maxBytes = kShownBytes) {
    return std::string(text, static_cast<size_t>(sjisPrefixLength(text, maxBytes)));
}

class ScriptChecker {
public:
    explicit ScriptChecker(std::string fileName) : fileName_(std::move(fileName)) {}

    bool read(const char* sjisName);
    void checkHeader(const char* sjisName);
    void scan();
    void checkPlaces();
    int print();
    void report(int line, const char* sjisMessage);

private:
    int lineAt(int32_t at) const {
        return lines_.empty() ? 1 : lines_[std::min<size_t>(at, lines_.size() - 1)];
    }
    // Reports error (a Shift-JIS message) at a position of the script; true when there was one.
    bool reportAt(int32_t at, const char* error);
    void reportWith(int32_t at, const char* format, const std::string& value);
    // The position after the command at pos, or -1 when the rest of the script cannot be read.
    int32_t checkCommand(int32_t pos);
    void checkArguments(int index, int32_t at, const char* args);
    void checkEffect(int32_t at, int32_t effect, bool noneAllowed);
    void checkPicture(int32_t at, const char* file);
    void usePlace(int32_t at, const char* name) { uses_.push_back({name, at}); }
    void definePlace(int32_t at, const char* args);

    std::string fileName_;
    std::string script_;
    std::vector<int> lines_;  // the file's line of each kept byte
    std::vector<Problem> problems_;
    std::vector<PlaceUse> places_;
    std::vector<PlaceUse> uses_;
};

bool ScriptChecker::read(const char* sjisName) {
    FILE* file = openGameFile(sjisName);
    if (!file) return false;
    char piece[kScriptPieceBytes];
    char kept[kScriptPieceBytes];
    int line = 1;
    size_t size = 0;
    while ((size = readTextPiece(file, piece, sizeof piece)) > 0) {
        int32_t count = keepScriptPiece(piece, kept);
        script_.append(kept, static_cast<size_t>(count));
        lines_.insert(lines_.end(), static_cast<size_t>(count), line);
        if (piece[size - 1] == '\n') ++line;
    }
    std::fclose(file);
    lines_.push_back(line);
    return true;
}

// The header lines as the selection page reads them (FrontEnd::readHeader): the first four that
// match a key, each cut at 255 bytes. Without a #title the game has no name on the page.
void ScriptChecker::checkHeader(const char* sjisName) {
    FILE* file = openGameFile(sjisName);
    if (!file) return;
    char piece[kGameTextBytes];
    bool titled = false;
    int line = 1, found = 0;
    size_t size = 0;
    while (found < kHeaderKeys && (size = readTextPiece(file, piece, sizeof piece)) > 0) {
        bool lineEnds = piece[size - 1] == '\n';
        const char* key = nullptr;
        for (const char* candidate : kHeaderKeyNames) {
            if (startsWith(piece, candidate)) key = candidate;
        }
        if (key) {
            ++found;
            titled = titled || key == kHeaderKeyNames[0];
            int next = lineEnds ? EOF : std::fgetc(file);
            if (next != EOF) {
                std::ungetc(next, file);
                std::string name(key, std::strlen(key) - 1);
                report(line, (name + sjis(" の行は長すぎて、255バイトまでしか出ません")).c_str());
            }
        }
        if (lineEnds) ++line;
    }
    std::fclose(file);
    if (!titled) report(1, sjis("#title の行がないので、選択画面にゲームの名前が出ません"));
}

void ScriptChecker::report(int line, const char* sjisMessage) {
    char text[kArgsBytes * 3];
    sjisToUtf8(sjisMessage, text, sizeof text);
    problems_.push_back({line, text});
}

bool ScriptChecker::reportAt(int32_t at, const char* error) {
    if (error) report(lineAt(at), error);
    return error != nullptr;
}

void ScriptChecker::reportWith(int32_t at, const char* format, const std::string& value) {
    std::string message = format;
    size_t slot = message.find("%s");
    if (slot != std::string::npos) message.replace(slot, 2, value);
    report(lineAt(at), message.c_str());
}

// Steps through the script as the run loop reads it: commands, escapes and characters to type.
void ScriptChecker::scan() {
    const char* text = script_.c_str();
    int32_t pos = 0;
    while (pos >= 0 && text[pos] != '\0') {
        if (text[pos] == '@') {
            pos = checkCommand(pos);
        } else if (text[pos] == '\\') {
            char letter = text[pos + 1];
            if (letter == '\0' || !std::strchr("cpnd", letter)) {
                std::string shown = letter == '\0' ? " " : shownText(text + pos + 1, 2);
                reportWith(pos, sjis("\\%s には対応してないっす（＾＾；ｺﾞﾒﾝﾁｬｲ"), shown);
            }
            pos += letter == '\0' ? 1 : 2;
        } else {
            pos += isLeadByte(static_cast<uint8_t>(text[pos])) && text[pos + 1] != '\0' ? 2 : 1;
        }
    }
}

int32_t ScriptChecker::checkCommand(int32_t pos) {
    const char* text = script_.c_str();
    const char* name = text + pos + 1;
    int nameLength = 0;
    while (name[nameLength] != '(') {
        if (name[nameLength] == '\0' || nameLength + 1 >= kLongestCommandName) {
            reportWith(pos, sjis("[@%s]コマンドの書式が違います"),
                       shownText(name, std::min(nameLength, kShownBytes)));
            return -1;
        }
        ++nameLength;
    }
    std::string command(name, static_cast<size_t>(nameLength));
    int index = 0;
    while (index < g_commandCount && command != g_commands[index])
        ++index;
    if (index == g_commandCount) reportWith(pos, sjis("指定された関数が見つかりません[%s]"), command);
    // The argument text as extractArgs makes it.
    char args[kArgsBytes];
    int32_t end = pos, count = 0;
    for (;;) {
        char c = text[end];
        if (c == '\0') {
            reportWith(pos, sjis("[%s]関数の閉じ括弧')'が見つかりません"), shownText(text + pos));
            return -1;
        }
        if (count == kArgsBytes - 1) {
            reportWith(pos, sjis("[%s]関数の引数が長すぎます（999文字まで）"), shownText(text + pos));
            return -1;
        }
        args[count++] = c;
        ++end;
        if (c == ')') break;
    }
    args[count - 1] = '\0';
    if (text[end] == ';')
        ++end;
    else
        reportWith(pos, sjis("[%s]関数の後にはセミコロン';'を付けましょう"), args);
    char* p = args;
    for (; *p && *p != '('; ++p)
        *p = ' ';
    if (*p == '(') *p++ = ' ';
    for (; *p; ++p) {
        if (*p == ',' || *p == '"') *p = ' ';
    }
    if (command == "name") definePlace(pos, args);
    if (index < g_commandCount) checkArguments(index, pos, args);
    return end;
}

void ScriptChecker::checkArguments(int index, int32_t at, const char* args) {
    switch (index) {
        case BGLOAD:
        case OBJLOAD: {
            PictureArgs given;
            if (reportAt(at, index == BGLOAD ? readBgLoadArgs(args, given) : readObjLoadArgs(args, given)))
                break;
            checkEffect(at, given.effect, index == OBJLOAD);
            if (std::strcmp(given.file, "clear") != 0) checkPicture(at, given.file);
            break;
        }
        case OBJLOADXY:
        case OBJLOADF: {
            PlacedPictureArgs given;
            if (reportAt(at,
                         index == OBJLOADXY ? readObjLoadXyArgs(args, given) : readObjLoadFArgs(args, given)))
                break;
            checkEffect(at, given.effect, true);
            bool named = std::strcmp(given.file, "clear") != 0 && std::strcmp(given.file, "show") != 0;
            if (index == OBJLOADXY || named) checkPicture(at, given.file);
            break;
        }
        case PLLOAD: {
            FileArgs given;
            PaletteEntry table[kPaletteEntries];
            if (reportAt(at, readPlLoadArgs(args, given))) break;
            if (!readColourTable(given.file, table, kPaletteEntries))
                reportAt(at, sjis("@plloadで指定したファイルが見つかりません"));
            break;
        }
        case PLLOADF: {
            PaletteCopyArgs given;
            PaletteEntry table[kPaletteEntries];
            if (reportAt(at, readPlLoadFArgs(args, given))) break;
            if (!readColourTable(given.file, table, kPaletteEntries))
                reportAt(at, sjis("ファイルが開けません（plloadf)"));
            reportAt(at, checkPlLoadFRange(given));
            break;
        }
        case START: {
            StartArgs given;
            reportAt(at, readStartArgs(args, given));
            break;
        }
        case TEXTEND: {
            EntryArgs given;
            reportAt(at, readTextEndArgs(args, given));
            break;
        }
        case SETTRANS: {
            ColourArgs given;
            reportAt(at, readSetTransArgs(args, given));
            break;
        }
        case WAIT: {
            WaitArgs given;
            reportAt(at, readWaitArgs(args, given));
            break;
        }
        case GOTO: {
            PlaceArgs given;
            if (!reportAt(at, readGotoArgs(args, given))) usePlace(at, given.place);
            break;
        }
        case TEXT: {
            TextArgs given;
            reportAt(at, readTextArgs(args, given));
            break;
        }
        case DAMAGE: {
            DamageArgs given;
            if (!reportAt(at, readDamageUsage(args, given))) reportAt(at, checkDamageRange(given));
            break;
        }
        case SELECT:
        case TITLE: {
            MenuArgs given;
            if (reportAt(at, index == SELECT ? readSelectArgs(args, given) : readTitleArgs(args, given)))
                break;
            for (int i = 0; i < given.count; ++i)
                usePlace(at, given.places[i]);
            break;
        }
        case FLAG:
        case FLAGTO: {
            FlagArgs given;
            reportAt(at, index == FLAG ? readFlagArgs(args, given) : readFlagToArgs(args, given));
            break;
        }
        case FLAGRND: {
            FlagRandomArgs given;
            reportAt(at, readFlagRandomArgs(args, given));
            break;
        }
        case FLAGSELECT:
        case FLAGTOSELECT: {
            FlagBranchArgs given;
            if (reportAt(at, index == FLAGSELECT ? readFlagSelectArgs(args, given)
                                                 : readFlagToSelectArgs(args, given)))
                break;
            usePlace(at, given.whenTrue);
            usePlace(at, given.whenFalse);
            break;
        }
        case OUT: {
            OutArgs given;
            if (!reportAt(at, readOutArgs(args, given))) checkEffect(at, given.effect, false);
            break;
        }
        case MIDI: {
            MidiArgs given;
            MidiPiece piece;
            if (reportAt(at, readMidiArgs(args, given)) || std::strcmp(given.file, "clear") == 0) break;
            if (!readMidiFile(given.file, piece)) reportAt(at, sjis("ＭＩＤＩが再生出来ません。"));
            break;
        }
        case SOUND: {
            SoundArgs given;
            WaveFile wave;
            if (reportAt(at, readSoundArgs(args, given)) || std::strcmp(given.file, "clear") == 0) break;
            if (readWaveFile(given.file, wave) != nullptr)
                reportWith(at, sjis("[%s]が読み込めません"), given.file);
            break;
        }
        case TEXTCOLOR: {
            TextColorArgs given;
            reportAt(at, readTextColorArgs(args, given));
            break;
        }
        default:
            break;
    }
}

// The label scan takes every "@name(" whatever function.dat calls its row, and a jump goes to the
// first place of a name.
void ScriptChecker::definePlace(int32_t at, const char* args) {
    PlaceArgs given;
    if (readGotoArgs(args, given) != nullptr) return;  // names no place
    bool named = std::any_of(places_.begin(), places_.end(),
                             [&](const PlaceUse& place) { return place.name == given.place; });
    if (named)
        reportWith(at, sjis("[%s]この場所名は前にも付けられています（前のものへ飛びます）"), given.place);
    places_.push_back({given.place, at});
}

void ScriptChecker::checkEffect(int32_t at, int32_t effect, bool noneAllowed) {
    if (isTransition(effect) || (noneAllowed && effect == kNoTransition)) return;
    reportAt(at, sjis("[@bgload][@objload] 現在対応している演出番号は 0～14 です。"));
}

void ScriptChecker::checkPicture(int32_t at, const char* file) {
    DecodedBitmap bitmap;
    if (!readBitmapFile(file, bitmap)) reportWith(at, sjis("%s ファイルが見つかりません"), file);
}

void ScriptChecker::checkPlaces() {
    for (const PlaceUse& use : uses_) {
        bool known = std::any_of(std::begin(kReservedPlaces), std::end(kReservedPlaces),
                                 [&](const char* reserved) { return use.name == reserved; }) ||
                     std::any_of(places_.begin(), places_.end(),
                                 [&](const PlaceUse& place) { return place.name == use.name; });
        if (!known) reportWith(use.at, sjis("[%s]指定された場所名が見つかりません"), use.name);
    }
}

int ScriptChecker::print() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    for (const Problem& problem : problems_)
        std::printf("%s:%d: %s\n", fileName_.c_str(), problem.line, problem.text.c_str());
    std::fflush(stdout);
    return problems_.empty() ? 0 : 1;
}

// The game's first .zeb script, as the front end takes it.
bool findScript(std::string& name) {
    FolderListing listing;
    FolderEntry entry;
    if (!listing.open("*.zeb")) return false;
    while (listing.next(entry)) {
        if (entry.directory) continue;
        name = entry.name;
        return true;
    }
    return false;
}

}  // namespace

int checkScript(const char* path) {
    std::error_code error;
    // Every link followed, as the player follows them to the game named on its command line: the
    // bounds of the game's files are those of the folder the game lies in.
    fs::path given = fs::canonical(path, error);
    bool folder = !error && fs::is_directory(given, error);
    fs::path gameFolder = folder ? given : given.parent_path();
    fs::current_path(gameFolder.parent_path(), error);
    g_engine.loadCommandTable();
    // The game's files are looked up as the player looks them up while the game plays.
    GameFolder game;
    bool entered = game.enter(gameFolder.c_str());
    std::string script = folder ? std::string() : given.filename().string();
    if (error || !entered || (folder && !findScript(script))) {
        std::printf("%s: %s\n", path, "no .zeb script found");
        return 1;
    }
    std::string shown = folder ? (fs::path(path) / nameToUtf8(script.c_str())).string() : path;
    ScriptChecker checker(shown);
    uint32_t size = 0;
    if (findFile(script.c_str(), size) && size > kMaxScriptBytes) {
        checker.report(1, sjis("メモリが足りません"));
        return checker.print();
    }
    if (!checker.read(script.c_str())) {
        checker.report(1, sjis("ファイルがオープン出来ません（原因不明）"));
        return checker.print();
    }
    checker.checkHeader(script.c_str());
    checker.scan();
    checker.checkPlaces();
    return checker.print();
}
