#include "checker/script_checker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands/command_rows.h"
#include "engine/private/script_text.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "frontend/front_end.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

struct Problem {
    int line;
    std::string text;  // UTF-8
    bool warning;
};

struct PlaceUse {
    std::string name;
    int32_t at;
};

// Reads a script as the loader does and steps through it as the run loop does, every command read by
// the engine's own reading and checked by its own row.
class ScriptChecker : public CommandCheck {
public:
    explicit ScriptChecker(std::string fileName) : fileName_(std::move(fileName)) {}

    bool read(const char* sjisName);
    void checkHeader(const char* sjisName);
    // False when the place scan stops the game before it starts: nothing further can be read.
    bool scanPlaces();
    void scan();
    void checkPlaces();
    int print();
    void report(int line, const char* sjisMessage, bool warning = false);

    bool problem(const char* sjisMessage) override;
    void warning(const char* sjisMessage) override;
    void jumpsTo(const char* place) override { uses_.push_back({place, at_}); }

private:
    int lineAt(int32_t at) const {
        return lines_.empty() ? 1 : lines_[std::min<size_t>(static_cast<size_t>(at), lines_.size() - 1)];
    }
    void reportFault(int32_t at, const ScriptFault& fault);
    // The position after the command at pos, or -1 when the rest of the script cannot be read.
    int32_t checkCommand(int32_t pos);

    std::string fileName_;
    std::string script_;
    std::vector<int> lines_;  // the file's line of each kept byte
    std::vector<Problem> problems_;
    int32_t namePos_[kMaxPlaces] = {};
    int32_t nameCount_ = 0;
    std::vector<PlaceUse> uses_;
    int32_t at_ = 0;  // the command being checked
    int32_t stoppedAt_ = -1;
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

// The header lines as the selection page reads them: a line cut at 255 bytes, or no #title, shows
// otherwise than its author meant.
void ScriptChecker::checkHeader(const char* sjisName) {
    char text[kHeaderKeys][kGameTextBytes];
    char* const fields[kHeaderKeys] = {text[0], text[1], text[2], text[3]};
    HeaderLines lines;
    if (!readHeaderLines(sjisName, fields, &lines)) return;
    for (int key = 0; key < kHeaderKeys; ++key) {
        if (!lines.cut[key]) continue;
        std::string name(kHeaderKeyNames[key], std::strlen(kHeaderKeyNames[key]) - 1);
        report(lines.line[key], (name + sjis(" の行は長すぎて、255バイトまでしか出ません")).c_str());
    }
    if (lines.line[0] == 0) report(1, sjis("#title の行がないので、選択画面にゲームの名前が出ません"));
}

void ScriptChecker::report(int line, const char* sjisMessage, bool warning) {
    char text[kArgsBytes * 3];
    sjisToUtf8(sjisMessage, text, sizeof text);
    problems_.push_back({line, text, warning});
}

// A command stops the game at its first problem: the others would never be met.
bool ScriptChecker::problem(const char* sjisMessage) {
    if (sjisMessage && at_ != stoppedAt_) report(lineAt(at_), sjisMessage);
    if (sjisMessage) stoppedAt_ = at_;
    return sjisMessage != nullptr;
}

// A picture is warned of once, where the script first shows it so.
void ScriptChecker::warning(const char* sjisMessage) {
    char text[kArgsBytes * 3];
    sjisToUtf8(sjisMessage, text, sizeof text);
    for (const Problem& said : problems_) {
        if (said.warning && said.text == text) return;
    }
    report(lineAt(at_), sjisMessage, true);
}

void ScriptChecker::reportFault(int32_t at, const ScriptFault& fault) {
    at_ = at;
    problemWith(fault.format, fault.value);
}

bool ScriptChecker::scanPlaces() {
    ScriptFault fault;
    if (::scanPlaces(script_.c_str(), namePos_, nameCount_, fault, nullptr)) return true;
    reportFault(fault.at, fault);
    return false;
}

// Steps through the script as the run loop reads it: commands, escapes and characters to type.
void ScriptChecker::scan() {
    const char* text = script_.c_str();
    int32_t pos = 0;
    while (pos >= 0 && text[pos] != '\0') {
        if (text[pos] == '@') {
            pos = checkCommand(pos);
        } else if (text[pos] == '\\') {
            int32_t at = pos;
            char letter = 0;
            ScriptFault fault;
            if (!readEscape(text, pos, letter, fault)) reportFault(at, fault);
        } else {
            pos += typedCharacterBytes(text + pos);
        }
    }
}

int32_t ScriptChecker::checkCommand(int32_t pos) {
    const char* text = script_.c_str();
    at_ = pos;
    ScriptFault fault;
    int index = findCommand(text, pos, fault);
    if (index < 0) reportFault(pos, fault);
    char args[kArgsBytes];
    if (!extractArguments(text, pos, args, fault, nullptr)) {
        reportFault(at_, fault);
        // Only a missing ';' leaves the rest of the script to read.
        return text[pos - 1] == ')' ? pos : -1;
    }
    CommandChecker check = index >= 0 && index < kCommandRowCount ? kCommandRows[index].check : nullptr;
    if (check) check(args, *this);
    return pos;
}

// Every jump finds its place as the engine would at the jump; a place named twice is only ever found
// the first time.
void ScriptChecker::checkPlaces() {
    const char* text = script_.c_str();
    std::vector<std::string> names;
    char args[kArgsBytes], name[kNameBytes];
    for (int32_t i = 0; i < nameCount_; ++i) {
        int32_t pos = namePos_[i];
        ScriptFault fault;
        if (!extractArguments(text, pos, args, fault, nullptr) || std::sscanf(args, "%255s", name) != 1)
            continue;
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            at_ = namePos_[i];
            stoppedAt_ = -1;
            problemWith(sjis("[%s]この場所名は前にも付けられています（前のものへ飛びます）"), name);
        }
        names.push_back(name);
    }
    for (const PlaceUse& use : uses_) {
        ScriptFault fault;
        if (isReservedPlace(use.name.c_str()) ||
            findPlace(text, namePos_, nameCount_, use.name.c_str(), fault, nullptr) >= 0)
            continue;
        stoppedAt_ = -1;  // each jump is its own way for the game to stop
        reportFault(use.at, fault);
    }
}

int ScriptChecker::print() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    bool stops = false;
    for (const Problem& problem : problems_) {
        std::printf("%s:%d: %s%s\n", fileName_.c_str(), problem.line, problem.warning ? "warning: " : "",
                    problem.text.c_str());
        stops = stops || !problem.warning;
    }
    std::fflush(stdout);
    return stops ? 1 : 0;
}

}  // namespace

int checkScript(const char* folder, const char* scriptName, const char* shownName) {
    g_engine.loadCommandTable();
    // The game's files are looked up as the player looks them up while the game plays.
    GameFolder game;
    ScriptChecker checker(shownName);
    uint32_t size = 0;
    if (!game.enter(folder) || !checker.read(scriptName)) {
        checker.report(1, sjis("ファイルがオープン出来ません（原因不明）"));
        return checker.print();
    }
    if (findFile(scriptName, size) && size > kMaxScriptBytes) {
        checker.report(1, sjis("メモリが足りません"));
        return checker.print();
    }
    checker.checkHeader(scriptName);
    if (checker.scanPlaces()) {
        checker.scan();
        checker.checkPlaces();
    }
    return checker.print();
}
