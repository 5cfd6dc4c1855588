// The reader's settings that stay from one run to the next: a plain text file of "key = value" lines,
// $XDG_CONFIG_HOME/zebora/zebora.conf. The environment and the command line override what it says.
#pragma once
#include <optional>
#include <string>

// The settings a run is given; each stays empty where its source does not give it.
struct Settings {
    std::optional<bool> windowed;
    std::optional<std::string> soundFont;
    std::optional<std::string> transcript;  // a path, or "-" for standard output
    std::optional<int> musicVolume;
    std::optional<int> soundVolume;
    std::optional<bool> mute;
    std::optional<int> scale;
    std::optional<int> filter;  // the place of the filter among --filter's words
    std::optional<bool> integerScale;
    std::optional<int> textSpeed;  // the place of the speed among --text-speed's words
    std::optional<int> autoDelayMs;
    std::optional<bool> skipUnread;
    std::optional<int> textOut;  // bits of kClipboardOutput and kWebSocketOutput
    std::optional<int> textOutPort;
    std::optional<std::string> speak;  // a command; empty for none

    // Takes every setting that over gives in place of this one's.
    void overrideWith(const Settings& over);
};

// A base folder of the desktop: $variable when it holds an absolute path, else $HOME followed by
// homeFolder ("/.config"); empty when neither gives a place.
std::string desktopFolder(const char* variable, const char* homeFolder);

// $XDG_CONFIG_HOME/zebora/zebora.conf, or $HOME/.config/zebora/zebora.conf when XDG_CONFIG_HOME is
// unset, empty or not an absolute path; empty when neither gives a place.
std::string settingsFilePath();

// Reads the settings file; a relative sound font is taken from the file's folder. A missing file gives
// nothing and says nothing. An unreadable file, and every line that cannot be used, is reported once on
// stderr ("zebora: FILE:LINE: what is wrong") and left out: the player starts all the same.
Settings readSettingsFile(const std::string& path);

// Writes "key = value" into the settings file, whole or not at all: the last line of the key takes the
// value (a later line wins), or a line is added; the reader's other lines and comments stay as they
// are. False when it cannot be written.
bool writeSetting(const std::string& path, const std::string& key, const std::string& value);

struct OptionRow;
// Takes a setting of the row's in place of what out held: value is checked already (readOptionValue),
// and number is what that read of it.
void takeSetting(const OptionRow& row, const std::string& value, int number, Settings& out);
