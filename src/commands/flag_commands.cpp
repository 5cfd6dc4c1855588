#include <cstdio>
#include <cstring>

#include "engine/script_engine.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

bool validFlag(int32_t number) {
    return number >= 0 && number < kFlagCount;
}

// Applies one arithmetic operator with wrap-around; false for a character that is no operator.
// Division and remainder by 0 leave the flag alone, and INT_MIN / -1 wraps to INT_MIN (remainder 0)
// like the other operators.
bool applyOperator(char op, int32_t& left, int32_t right) {
    uint32_t a = static_cast<uint32_t>(left), b = static_cast<uint32_t>(right);
    switch (op) {
        case '+':
            left = static_cast<int32_t>(a + b);
            return true;
        case '-':
            left = static_cast<int32_t>(a - b);
            return true;
        case '*':
            left = static_cast<int32_t>(a * b);
            return true;
        case '/':
            if (right == -1)
                left = static_cast<int32_t>(0u - a);
            else if (right != 0)
                left /= right;
            return true;
        case '%':
            if (right == -1)
                left = 0;
            else if (right != 0)
                left %= right;
            return true;
        case '=':
            left = right;
            return true;
        default:
            return false;
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
    int32_t number = 0, value = 0;
    char op = 0;
    if (std::sscanf(args, "%d %c %d", &number, &op, &value) < 3) {
        fatalError(sjis("@flag(int no,char enzan,int value); の書式が間違っています。"));
    }
    if (!validFlag(number)) fatalError(sjis("[@flag] フラグで指定できる番号が最大値を超えています"));
    if (!applyOperator(op, flags[number], value)) {
        fatalError(sjis("[@flag] その演算子は現在使われておりません（ぉ"));
    }
}

void ScriptEngine::cmdFlagTo() {
    int32_t target = 0, source = 0;
    char op = 0;
    if (std::sscanf(args, "%d %c %d", &target, &op, &source) < 3) {
        fatalError(sjis("@flagto(int no1,char enzan,int no2); の書式が間違っています。"));
    }
    if (!validFlag(target) || !validFlag(source)) {
        fatalError(sjis("[@flagto] フラグで指定できる番号が最大値を超えています"));
    }
    if (!applyOperator(op, flags[target], flags[source])) {
        fatalError(sjis("[@flagto] その演算子は現在使われておりません（ぉ"));
    }
}

void ScriptEngine::cmdFlagRandom() {
    int32_t number = 0, low = 0, high = 0;
    if (std::sscanf(args, "%d %d %d", &number, &low, &high) < 3) {
        fatalError(sjis("@flagrnd(int no,int min,int max); の書式が間違っています"));
    }
    if (!validFlag(number)) fatalError(sjis("[@flagrnd]フラグ番号が範囲を超えています"));
    flags[number] = randomInRange(low, high);
}

// flagselect and flagtoselect: compare a flag with a value or with a second flag and jump to one of
// two places.
void ScriptEngine::branchOnFlag(bool againstFlag, const char* usage, const char* rangeMessage) {
    int32_t number = 0, right = 0;
    char op[kNameBytes], whenTrue[kNameBytes], whenFalse[kNameBytes];
    if (std::sscanf(args, "%d %255s %d %255s %255s", &number, op, &right, whenTrue, whenFalse) < 5) {
        fatalError(usage);
    }
    if (!validFlag(number) || (againstFlag && !validFlag(right))) fatalError(rangeMessage);
    if (againstFlag) right = flags[right];
    jumpToLabel(compare(op, flags[number], right) ? whenTrue : whenFalse);
}

void ScriptEngine::cmdFlagSelect() {
    branchOnFlag(false,
                 sjis("@flagselect(int no1,char *enzan,int value,char *place1,char *place2); "
                      "の書式が間違ってるらしい（ぉ"),
                 sjis("[@flagselect]フラグ番号が範囲を超えています"));
}

void ScriptEngine::cmdFlagToSelect() {
    branchOnFlag(true,
                 sjis("@flagtoselect(int no1,char *enzan,int no2,char *place1,char *place2); "
                      "の書式が間違ってるらしい（ぉ"),
                 sjis("[@flagtoselect]フラグ番号が範囲を超えています"));
}

void ScriptEngine::cmdFlagClear() {
    std::memset(flags, 0, sizeof flags);
}
