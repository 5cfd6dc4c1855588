#include "platform/headless/reader_script.h"

#include <cstdlib>
#include <sstream>

#include "platform/window/pad_buttons.h"
#include "platform/window_system.h"

namespace {

const int kMaxCoordinate = 65535;
const uint32_t kFunctionKeys = 12;

bool readNumber(std::istringstream& in, long long lowest, long long highest, long long& out) {
    std::string word;
    if (!(in >> word)) return false;
    char* end = nullptr;
    long long value = std::strtoll(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0') return false;
    if (value < lowest || value > highest) return false;
    out = value;
    return true;
}

bool readPoint(std::istringstream& in, ReaderAction& action) {
    long long x = 0, y = 0;
    if (!readNumber(in, 0, kMaxCoordinate, x) || !readNumber(in, 0, kMaxCoordinate, y)) return false;
    action.x = static_cast<int>(x);
    action.y = static_cast<int>(y);
    return true;
}

bool readWheel(std::istringstream& in, ReaderAction& action) {
    std::string way;
    if (!(in >> way) || (way != "up" && way != "down")) return false;
    action.value = wheelParam(way == "up" ? 1 : -1);
    return true;
}

bool readKey(std::istringstream& in, ReaderAction& action) {
    std::string name;
    if (!(in >> name)) return false;
    action.value = readerKeyCode(name);
    return action.value != 0;
}

bool readPadButton(std::istringstream& in, ReaderAction& action) {
    std::string name;
    PadButton button = PadButton::A;
    if (!(in >> name) || !padButtonNamed(name, button)) return false;
    action.value = static_cast<uint32_t>(button);
    return true;
}

struct VerbName {
    const char* word;
    ReaderVerb verb;
};

const VerbName kVerbs[] = {
    {"wait", ReaderVerb::Wait},         {"sleep", ReaderVerb::Sleep},
    {"move", ReaderVerb::Move},         {"click", ReaderVerb::Click},
    {"rclick", ReaderVerb::RightClick}, {"key", ReaderVerb::Key},
    {"down", ReaderVerb::Down},         {"up", ReaderVerb::Up},
    {"pad", ReaderVerb::Pad},           {"tap", ReaderVerb::Tap},
    {"drop", ReaderVerb::Drop},         {"wheel", ReaderVerb::Wheel},
    {"shot", ReaderVerb::Shot},         {"close", ReaderVerb::Close},
};

bool parseAction(const std::string& word, std::istringstream& in, ReaderAction& action) {
    const VerbName* found = nullptr;
    for (const VerbName& verb : kVerbs) {
        if (word == verb.word) found = &verb;
    }
    if (!found) return false;
    action.verb = found->verb;
    long long ms = 0;
    switch (action.verb) {
        case ReaderVerb::Wait:
        case ReaderVerb::Sleep:
            if (!readNumber(in, 0, 0x7FFFFFFF, ms)) return false;
            action.value = static_cast<uint32_t>(ms);
            return true;
        case ReaderVerb::Move:
        case ReaderVerb::Click:
        case ReaderVerb::RightClick:
        case ReaderVerb::Tap:
            return readPoint(in, action);
        case ReaderVerb::Key:
        case ReaderVerb::Down:
        case ReaderVerb::Up:
            return readKey(in, action);
        case ReaderVerb::Pad:
            return readPadButton(in, action);
        case ReaderVerb::Wheel:
            return readWheel(in, action);
        case ReaderVerb::Shot:
            return static_cast<bool>(in >> action.name);
        case ReaderVerb::Drop:
            // The rest of the line, blanks and all.
            std::getline(in >> std::ws, action.name);
            return !action.name.empty();
        case ReaderVerb::Close:
            return true;
    }
    return false;
}

}  // namespace

namespace {

struct KeyName {
    const char* name;
    uint32_t code;
};

const KeyName kKeyNames[] = {
    {"space", VK_SPACE},   {"ctrl", VK_CONTROL}, {"pause", VK_PAUSE},  {"return", VK_RETURN},
    {"escape", VK_ESCAPE}, {"tab", VK_TAB},      {"up", VK_UP},        {"down", VK_DOWN},
    {"left", VK_LEFT},     {"right", VK_RIGHT},  {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT},
};

}  // namespace

uint32_t readerKeyCode(const std::string& name) {
    for (const KeyName& key : kKeyNames) {
        if (name == key.name) return key.code;
    }
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return static_cast<uint32_t>(name[0] - 'a' + 'A');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<uint32_t>(name[0]);
    for (uint32_t n = 1; n <= kFunctionKeys; ++n) {
        if (name == "f" + std::to_string(n)) return VK_F1 + n - 1;
    }
    return 0;
}

bool parseReaderScript(const std::string& text, std::vector<ReaderAction>& actions, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        size_t comment = line.find('#');
        if (comment != std::string::npos) line.erase(comment);
        std::istringstream in(line);
        std::string verb;
        if (!(in >> verb)) continue;
        ReaderAction action;
        action.line = number;
        std::string extra;
        if (!parseAction(verb, in, action) || (in >> extra)) {
            error = "reader line " + std::to_string(number) + ": cannot understand \"" + line + "\"";
            return false;
        }
        actions.push_back(action);
    }
    return true;
}
