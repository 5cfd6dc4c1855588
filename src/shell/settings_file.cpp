#include "shell/settings_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/files/file_system.h"
#include "platform/window_system.h"
#include "shell/options.h"

namespace {

const char kSettingsFile[] = "/zebora/zebora.conf";
const char kDefaultConfigFolder[] = "/.config";
const char kBlanks[] = " \t\r\f\v";
const size_t kReadBlock = 4096;

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool parseSwitch(std::string text, bool& on) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text == "yes" || text == "true" || text == "1") {
        on = true;
    } else if (text == "no" || text == "false" || text == "0") {
        on = false;
    } else {
        return false;
    }
    return true;
}

// Takes one setting into out; what is wrong with it, or nothing.
std::optional<std::string> take(const std::string& key, const std::string& value, const std::string& folder,
                                Settings& out) {
    const OptionRow* row = optionWithKey(key.c_str());
    if (!row) return "unknown key \"" + key + "\" (the keys are " + settingsKeys() + ")";
    bool on = false;
    int number = 0;
    if (row->kind == ValueKind::None && !parseSwitch(value, on))
        return key + " must be yes or no (or true/false, 1/0), not \"" + value + "\"";
    if (row->kind == ValueKind::Path && value.empty()) return key + " needs the path of a file";
    if (row->kind == ValueKind::Command && value.empty()) return key + " needs a command";
    if (row->kind != ValueKind::None && !readOptionValue(*row, value, number))
        return key + " must be " + expectedValue(*row) + ", not \"" + value + "\"";
    bool relative = row->kind == ValueKind::Path && value[0] != '/' && value != "-";
    takeSetting(*row, relative ? folder + "/" + value : value, row->kind == ValueKind::None ? on : number,
                out);
    return std::nullopt;
}

// The whole file; 0, or the errno of what went wrong opening or reading it.
int readWhole(const std::string& path, std::string& text) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return errno;
    char block[kReadBlock];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0)
        text.append(block, got);
    return std::ferror(file.get()) ? errno : 0;
}

}  // namespace

void Settings::overrideWith(const Settings& over) {
    if (over.windowed) windowed = over.windowed;
    if (over.soundFont) soundFont = over.soundFont;
    if (over.transcript) transcript = over.transcript;
    if (over.musicVolume) musicVolume = over.musicVolume;
    if (over.soundVolume) soundVolume = over.soundVolume;
    if (over.mute) mute = over.mute;
    if (over.scale) scale = over.scale;
    if (over.filter) filter = over.filter;
    if (over.integerScale) integerScale = over.integerScale;
    if (over.textSpeed) textSpeed = over.textSpeed;
    if (over.autoDelayMs) autoDelayMs = over.autoDelayMs;
    if (over.skipUnread) skipUnread = over.skipUnread;
    if (over.textOut) textOut = over.textOut;
    if (over.textOutPort) textOutPort = over.textOutPort;
    if (over.speak) speak = over.speak;
}

std::string desktopFolder(const char* variable, const char* homeFolder) {
    const char* folder = std::getenv(variable);
    if (folder && folder[0] == '/') return folder;
    const char* home = std::getenv("HOME");
    if (home && *home) return home + std::string(homeFolder);
    return "";
}

std::string settingsFilePath() {
    std::string config = desktopFolder("XDG_CONFIG_HOME", kDefaultConfigFolder);
    return config.empty() ? "" : config + kSettingsFile;
}

Settings readSettingsFile(const std::string& path) {
    Settings settings;
    std::string text;
    if (path.empty()) return settings;
    if (int error = readWhole(path, text)) {
        if (error != ENOENT && error != ENOTDIR)
            std::fprintf(stderr, "zebora: %s: cannot read the settings (%s)\n", path.c_str(),
                         std::strerror(error));
        return settings;
    }
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        size_t equals = line.find('=');
        std::optional<std::string> wrong;
        if (equals == std::string::npos) {
            wrong = "expected \"key = value\", found \"" + line + "\"";
        } else if (equals == 0) {
            wrong = std::string("no key before \"=\"");
        } else {
            wrong = take(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)), folder, settings);
        }
        if (wrong) std::fprintf(stderr, "zebora: %s:%d: %s\n", path.c_str(), number, wrong->c_str());
    }
    return settings;
}

// Switches are taken as their value, yes or no: the command line gives yes, and --fullscreen says no to
// window.
void takeSetting(const OptionRow& row, const std::string& value, int number, Settings& out) {
    switch (row.id) {
        case OptionId::Window:
        case OptionId::FullScreen:
            out.windowed = row.id == OptionId::Window ? number != 0 : false;
            break;
        case OptionId::Mute:
            out.mute = number != 0;
            break;
        case OptionId::MusicVolume:
            out.musicVolume = number;
            break;
        case OptionId::SoundVolume:
            out.soundVolume = number;
            break;
        case OptionId::SoundFont:
            out.soundFont = value;
            break;
        case OptionId::Transcript:
            out.transcript = value;
            break;
        case OptionId::Scale:
            out.scale = number;
            break;
        case OptionId::Filter:
            out.filter = number;
            break;
        case OptionId::Integer:
            out.integerScale = number != 0;
            break;
        case OptionId::TextSpeed:
            out.textSpeed = number;
            break;
        case OptionId::AutoDelay:
            out.autoDelayMs = number;
            break;
        case OptionId::Skip:
            out.skipUnread = number == 1;
            break;
        case OptionId::TextOut:
            out.textOut = number;
            break;
        case OptionId::TextOutPort:
            out.textOutPort = number;
            break;
        case OptionId::Speak:
            out.speak = value;
            break;
        default:
            break;
    }
}

bool writeSetting(const std::string& path, const std::string& key, const std::string& value) {
    std::string text, failed;
    int error = path.empty() ? ENOENT : readWhole(path, text);
    if (path.empty() || (error != 0 && error != ENOENT)) return false;
    size_t last = std::string::npos;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = trimmed(text.substr(start, end - start));
        size_t equals = line.find('=');
        if (!line.empty() && line[0] != '#' && equals != std::string::npos &&
            trimmed(line.substr(0, equals)) == key)
            last = start;
        start = end + 1;
    }
    std::string line = key + " = " + value;
    if (last == std::string::npos) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += line + "\n";
    } else {
        size_t end = text.find('\n', last);
        text.replace(last, (end == std::string::npos ? text.size() : end) - last, line);
    }
    return makeFolders(path.substr(0, path.rfind('/')), failed) && replaceFile(path, text);
}
