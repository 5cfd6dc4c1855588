// The options of the command line, one row each, and the keys of the settings file that stand for the
// same settings. The usage is made from this table, and the settings file reads its keys from it; a test
// holds the README and the manual page to it.
#pragma once
#include <string>

enum class OptionId {
    Root,
    Window,
    FullScreen,
    Headless,
    Reader,
    Shots,
    Trace,
    Transcript,
    TextOut,
    TextOutPort,
    Speak,
    SoundFont,
    MusicVolume,
    SoundVolume,
    Mute,
    Scale,
    Filter,
    Integer,
    TextSpeed,
    AutoDelay,
    Skip,
    Help,
    Version,
    Check,
};

// How a value is written, on the command line and in the settings file.
enum class ValueKind {
    None,          // the option alone; in the settings file: yes or no
    Path,          // a file or folder; relative to where the player started, or to the settings file
    Volume,        // a whole number from 0 to 100
    Word,          // one of the row's words
    Milliseconds,  // a whole number from 0 to kLongestDelayMs
    Multiple,      // a whole number from 1 to kLargestScale
    List,          // some of the row's words, comma-separated (their bits), or none
    Port,          // a whole number from 1 to kHighestPort
    Command,       // a shell command line, taken as it is
};

const int kLongestDelayMs = 600000;

struct OptionRow {
    OptionId id;
    const char* name;       // "--root"
    const char* shortName;  // "-h", or null
    const char* valueName;  // "DIR", or null for an option without a value
    ValueKind kind;
    const char* settingsKey;  // the settings file's key for the same setting, or null
    const char* help;
    const char* words = nullptr;  // for a Word: the words it takes, blank-separated
};

extern const OptionRow kOptions[];
extern const int kOptionCount;

// The row of a name as the command line gives it ("--root", "-h"), or of a settings file key; null
// when there is none.
const OptionRow* optionNamed(const char* name);
const OptionRow* optionWithKey(const char* key);
// The settings file's keys, in the table's order, comma-separated.
const char* settingsKeys();
// The text of --help.
const char* usageText();

// Reads a value of the row's kind: a Word's place among its words, a List's bits (1 for its first word,
// 2 for its second…), a volume, a time; false when the value is not one (a path or a command is any
// text).
bool readOptionValue(const OptionRow& row, const std::string& value, int& number);
// The value of a List with these bits, as the settings file keeps it: "clipboard, websocket", "none".
std::string listValue(const OptionRow& row, int bits);
// What the row takes, for a message: "a whole number from 0 to 100", "slow, normal, fast or instant".
std::string expectedValue(const OptionRow& row);
