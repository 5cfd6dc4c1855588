#include "shell/options.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform_options.h"

namespace {

const size_t kSynopsisWidth = 100;
const size_t kNameColumn = 21;
const char kNone[] = "none";

}  // namespace

const OptionRow kOptions[] = {
    {OptionId::Root, "--root", nullptr, "DIR", ValueKind::Path, nullptr,
     "the working folder (function.dat, system.bmp and the games); default: here when it holds "
     "function.dat, else the installed data"},
    {OptionId::Window, "--window", nullptr, nullptr, ValueKind::None, "window",
     "show the picture in a window instead of the whole screen"},
    {OptionId::FullScreen, "--fullscreen", nullptr, nullptr, ValueKind::None, nullptr,
     "show the picture on the whole screen, whatever the settings file says"},
    {OptionId::Headless, "--headless", nullptr, nullptr, ValueKind::None, nullptr,
     "no window and no sound; the engine runs on a virtual clock"},
    {OptionId::Reader, "--reader", nullptr, "FILE", ValueKind::Path, nullptr,
     "a reader acts from FILE, one action per line (with --headless)"},
    {OptionId::Shots, "--shots", nullptr, "DIR", ValueKind::Path, nullptr,
     "where the reader's shot action writes its pictures (made if missing); default: here"},
    {OptionId::Trace, "--trace", nullptr, "FILE", ValueKind::Path, nullptr,
     "write a line for every sound, save, load and screenshot, with its time"},
    {OptionId::SoundFont, "--soundfont", nullptr, "FILE", ValueKind::Path, "soundfont",
     "the General MIDI sound font for the music (also ZEBORA_SOUNDFONT)"},
    {OptionId::Transcript, "--transcript", nullptr, "FILE", ValueKind::Path, "transcript",
     "write the text as it is shown, in UTF-8 (- for standard output)"},
    {OptionId::TextOut, "--text-out", nullptr, "LIST", ValueKind::List, "text-out",
     "give each text of the story, as its wait begins, to clipboard, to websocket (every client of "
     "ws://127.0.0.1:PORT, as texthooker pages expect) or to both: clipboard,websocket; none for neither",
     "clipboard websocket"},
    {OptionId::TextOutPort, "--text-out-port", nullptr, "PORT", ValueKind::Port, "text-out-port",
     "the port of the text's WebSocket, on 127.0.0.1 alone; default: 6677"},
    {OptionId::Speak, "--speak", nullptr, "COMMAND", ValueKind::Command, "speak",
     "run COMMAND through the shell with each text on its standard input, one at a time (for "
     "example \"spd-say -l ja -e\"); the reader moving on ends the one still speaking"},
    {OptionId::MusicVolume, "--music-volume", nullptr, "N", ValueKind::Volume, "music-volume",
     "the music's volume, 0 to 100 (percent of the full level); default: 100"},
    {OptionId::SoundVolume, "--sound-volume", nullptr, "N", ValueKind::Volume, "sound-volume",
     "the sounds' volume, 0 to 100; default: 100"},
    {OptionId::Mute, "--mute", nullptr, nullptr, ValueKind::None, "mute",
     "no music and no sound, whatever the volumes"},
    {OptionId::Scale, "--scale", nullptr, "N", ValueKind::Multiple, "scale",
     "the window's first size, N × 640×480 (1 to 8); default: the largest that fits the desktop"},
    {OptionId::Filter, "--filter", nullptr, "FILTER", ValueKind::Word, "filter",
     "how the picture is scaled: sharp (the default), nearest or smooth", "sharp nearest smooth"},
    {OptionId::Integer, "--integer", nullptr, nullptr, ValueKind::None, "integer",
     "scale the picture by whole multiples only, with wider bars"},
    {OptionId::TextSpeed, "--text-speed", nullptr, "SPEED", ValueKind::Word, "text-speed",
     "how fast the text is typed: slow, normal (the engine's own), fast or instant",
     "slow normal fast instant"},
    {OptionId::AutoDelay, "--auto-delay", nullptr, "MS", ValueKind::Milliseconds, "auto-delay",
     "in auto mode (A), how long a wait stays before it goes on, plus 60 ms a character; default: 1500"},
    {OptionId::Skip, "--skip", nullptr, "WHAT", ValueKind::Word, "skip",
     "what skip mode (Tab) passes: read (the text read before, the default) or all", "read all"},
    {OptionId::Help, "--help", "-h", nullptr, ValueKind::None, nullptr, "print this text"},
    {OptionId::Version, "--version", "-V", nullptr, ValueKind::None, nullptr, "print the player's version"},
    {OptionId::Check, "--check", nullptr, "PATH", ValueKind::Path, nullptr,
     "report every problem of a game's script (PATH: its folder or its .zeb file) without "
     "playing, as file:line: message; status 0 when there is none"},
};
const int kOptionCount = sizeof kOptions / sizeof kOptions[0];

const OptionRow* optionNamed(const char* name) {
    for (const OptionRow& row : kOptions) {
        if (std::strcmp(name, row.name) == 0 || (row.shortName && std::strcmp(name, row.shortName) == 0))
            return &row;
    }
    return nullptr;
}

const OptionRow* optionWithKey(const char* key) {
    for (const OptionRow& row : kOptions) {
        if (row.settingsKey && std::strcmp(key, row.settingsKey) == 0) return &row;
    }
    return nullptr;
}

const char* settingsKeys() {
    static const std::string keys = [] {
        std::string all;
        for (const OptionRow& row : kOptions) {
            if (row.settingsKey) all += (all.empty() ? "" : ", ") + std::string(row.settingsKey);
        }
        return all;
    }();
    return keys.c_str();
}

namespace {

std::string spelled(const OptionRow& row) {
    std::string name = row.shortName ? std::string(row.shortName) + ", " + row.name : row.name;
    return row.valueName ? name + " " + row.valueName : name;
}

// [--root DIR] [--window] …, wrapped as a usage line is.
std::string synopsis() {
    std::string text = "usage: zebora", line = text;
    for (const OptionRow& row : kOptions) {
        if (row.id == OptionId::Check) continue;
        std::string word =
            " [" + std::string(row.name) + (row.valueName ? std::string(" ") + row.valueName : "") + "]";
        if (line.size() + word.size() > kSynopsisWidth) {
            text += "\n             ";
            line = "             ";
        }
        text += word;
        line += word;
    }
    return text + " [GAME]\n       zebora [--root DIR] --check PATH\n";
}

// The columns a text takes on a terminal: one a character, whatever its bytes in UTF-8.
size_t columnsOf(const std::string& text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The words of a text filled into lines of the usage's width, each line after the first indented.
std::string wrapped(const std::string& text, size_t firstColumn, size_t indent) {
    std::istringstream words(text);
    std::string out, word;
    size_t column = firstColumn;
    for (bool first = true; words >> word; first = false) {
        if (!first && column + 1 + columnsOf(word) > kSynopsisWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += columnsOf(word);
    }
    return out + "\n";
}

// The help under the name, beside it when the name leaves room.
std::string described(const std::string& spelledName, const std::string& help) {
    std::string name = "  " + spelledName;
    bool beside = name.size() + 1 < kNameColumn;
    std::string text = beside ? name + std::string(kNameColumn - name.size(), ' ')
                              : name + "\n" + std::string(kNameColumn, ' ');
    return text + wrapped(help, kNameColumn, kNameColumn);
}

}  // namespace

const char* usageText() {
    static const std::string usage = [] {
        std::string text = synopsis();
        text += described("GAME",
                          "a game folder, its .zeb script or an archive holding a game, to play at once; the "
                          "program ends with it");
        for (const OptionRow& row : kOptions)
            text += described(spelled(row), row.help);
        text += wrapped(
            "Relative paths are taken from the folder the player was started in. Outside a working folder "
            "the "
            "player plays from its installed data and lists the games of $XDG_DATA_HOME/zebora/games too.",
            0, 0);
        text += wrapped(
            "Settings, one \"key = value\" a line: $XDG_CONFIG_HOME/zebora/zebora.conf (or "
            "~/.config/zebora/zebora.conf); the keys are " +
                std::string(settingsKeys()) + "; options override them.",
            0, 0);
        return text;
    }();
    return usage.c_str();
}

namespace {

std::vector<std::string> wordsOf(const OptionRow& row) {
    std::vector<std::string> words;
    std::istringstream in(row.words ? row.words : "");
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Digits alone, up to highest.
bool readWholeNumber(const std::string& text, int highest, int& number) {
    if (text.empty()) return false;
    int value = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9') return false;
        value = value * 10 + (digit - '0');
        if (value > highest) return false;
    }
    number = value;
    return true;
}

// Words of the row's, separated by commas or blanks, in any order; "none" alone is none of them.
bool readList(const OptionRow& row, std::string value, int& number) {
    std::vector<std::string> words = wordsOf(row);
    std::replace(value.begin(), value.end(), ',', ' ');
    std::istringstream in(value);
    std::vector<std::string> given{std::istream_iterator<std::string>(in), {}};
    if (given.size() == 1 && given[0] == kNone) {
        number = 0;
        return true;
    }
    int bits = 0;
    for (const std::string& word : given) {
        auto at = std::find(words.begin(), words.end(), word);
        if (at == words.end()) return false;
        bits |= 1 << (at - words.begin());
    }
    number = bits;
    return bits != 0;
}

}  // namespace

std::string listValue(const OptionRow& row, int bits) {
    std::vector<std::string> words = wordsOf(row);
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        if (bits & (1 << i)) text += (text.empty() ? "" : ", ") + words[i];
    }
    return text.empty() ? kNone : text;
}

bool readOptionValue(const OptionRow& row, const std::string& value, int& number) {
    switch (row.kind) {
        case ValueKind::Volume:
            return readWholeNumber(value, kFullVolume, number);
        case ValueKind::Milliseconds:
            return readWholeNumber(value, kLongestDelayMs, number);
        case ValueKind::Multiple:
            return readWholeNumber(value, kLargestScale, number) && number >= 1;
        case ValueKind::Word: {
            std::vector<std::string> words = wordsOf(row);
            for (size_t i = 0; i < words.size(); ++i) {
                if (value == words[i]) number = static_cast<int>(i);
            }
            return std::find(words.begin(), words.end(), value) != words.end();
        }
        case ValueKind::List:
            return readList(row, value, number);
        case ValueKind::Port:
            return readWholeNumber(value, kHighestPort, number) && number >= 1;
        case ValueKind::Path:
        case ValueKind::Command:
        case ValueKind::None:
            return true;
    }
    return false;
}

std::string expectedValue(const OptionRow& row) {
    switch (row.kind) {
        case ValueKind::Volume:
            return "a whole number from 0 to " + std::to_string(kFullVolume);
        case ValueKind::Milliseconds:
            return "a whole number of milliseconds from 0 to " + std::to_string(kLongestDelayMs);
        case ValueKind::Multiple:
            return "a whole number from 1 to " + std::to_string(kLargestScale);
        case ValueKind::Port:
            return "a port number from 1 to " + std::to_string(kHighestPort);
        case ValueKind::Word:
        case ValueKind::List: {
            std::vector<std::string> words = wordsOf(row);
            std::string text;
            for (size_t i = 0; i < words.size(); ++i)
                text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
            return row.kind == ValueKind::List ? text + ", comma-separated, or none" : text;
        }
        case ValueKind::Command:
            return "a command";
        default:
            return "the path of a file";
    }
}
