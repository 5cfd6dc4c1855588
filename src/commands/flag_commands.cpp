#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

// Applies one arithmetic operator (one isFlagOperator knows) with wrap-around.
// Division and remainder by 0 leave the flag alone, and INT_MIN / -1 wraps to INT_MIN (remainder 0)
// like the other operators.
void applyOperator(char op, int32_t& left, int32_t right) {
    uint32_t a = static_cast<uint32_t>(left), b = static_cast<uint32_t>(right);
    switch (op) {
        case '+':
            left = static_cast<int32_t>(a + b);
            return;
        case '-':
            left = static_cast<int32_t>(a - b);
            return;
        case '*':
            left = static_cast<int32_t>(a * b);
            return;
        case '/':
            if (right == -1)
                left = static_cast<int32_t>(0u - a);
            else if (right != 0)
                left /= right;
            return;
        case '%':
            if (right == -1)
                left = 0;
            else if (right != 0)
                left %= right;
            return;
        case '=':
            left = right;
            return;
        default:
            return;
    }
}

bool compare(const char* op, int32_t left, int32_t right) {
    if (std::strcmp(op, "=") == 0) return left == right;
    if (std::strcmp(op, ">") == 0) return left > right;
    if (std::strcmp(op, ">=") == 0 || std::strcmp(op, "=>") == 0) return left >= right;
    if (std::strcmp(op, "<") == 0) return left < right;
    if (std::strcmp(op, "<=") == 0 || std::strcmp(op, "=<") == 0) return left <= right;
    return false;
}

}  // namespace

void ScriptEngine::cmdFlag() {
    FlagArgs given;
    if (const char* error = readFlagArgs(args, given)) fatalError(error);
    applyOperator(given.op, flags[given.number], given.value);
}

void ScriptEngine::cmdFlagTo() {
    FlagArgs given;
    if (const char* error = readFlagToArgs(args, given)) fatalError(error);
    applyOperator(given.op, flags[given.number], flags[given.value]);
}

void ScriptEngine::cmdFlagRandom() {
    FlagRandomArgs given;
    if (const char* error = readFlagRandomArgs(args, given)) fatalError(error);
    flags[given.number] = randomInRange(given.low, given.high);
}

// flagselect and flagtoselect: compare a flag with a value or with a second flag and jump to one of
// two places.
void ScriptEngine::branchOnFlag(bool againstFlag) {
    FlagBranchArgs given;
    const char* error = againstFlag ? readFlagToSelectArgs(args, given) : readFlagSelectArgs(args, given);
    if (error) fatalError(error);
    int32_t right = againstFlag ? flags[given.right] : given.right;
    jumpToLabel(compare(given.op, flags[given.number], right) ? given.whenTrue : given.whenFalse);
}

void ScriptEngine::cmdFlagSelect() {
    branchOnFlag(false);
}

void ScriptEngine::cmdFlagToSelect() {
    branchOnFlag(true);
}

void ScriptEngine::cmdFlagClear() {
    std::memset(flags, 0, sizeof flags);
}

// Either place may be the one taken.
void checkFlagSelect(const char* args, CommandCheck& check) {
    FlagBranchArgs given;
    if (check.problem(readFlagSelectArgs(args, given))) return;
    check.jumpsTo(given.whenTrue);
    check.jumpsTo(given.whenFalse);
}

void checkFlagToSelect(const char* args, CommandCheck& check) {
    FlagBranchArgs given;
    if (check.problem(readFlagToSelectArgs(args, given))) return;
    check.jumpsTo(given.whenTrue);
    check.jumpsTo(given.whenFalse);
}
