#include "platform/window/private/pictures_folder.h"

#include "platform/files/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace {

const char kHomeVariable[] = "$HOME";
const char kPicturesLine[] = "XDG_PICTURES_DIR=\"";

// Only absolute paths count, as the XDG base directory rules say: a relative one would be taken from
// the current folder, which during a game is the game's own.
std::string absolutePath(const char* variable) {
    const char* value = std::getenv(variable);
    return value && value[0] == '/' ? value : "";
}

// The folder named by a value of user-dirs.dirs: "$HOME" followed by nothing or a path, or an
// absolute path; empty for anything else.
std::string userDirsValue(const std::string& value, const std::string& home) {
    const size_t homeLength = sizeof kHomeVariable - 1;
    if (value.compare(0, homeLength, kHomeVariable) == 0) {
        bool atEnd = value.size() == homeLength || value[homeLength] == '/';
        if (!atEnd || home.empty()) return "";
        return value.size() == homeLength ? home : joinPath(home, value.substr(homeLength + 1));
    }
    return !value.empty() && value[0] == '/' ? value : "";
}

// The file is a shell fragment written by xdg-user-dirs-update, one variable a line, each value in
// double quotes with a backslash before ", \, $ and `; as in the shell, the last line counts.
std::string fromUserDirs(const std::string& file, const std::string& home) {
    std::ifstream in(file);
    std::string line, found;
    const std::string key = kPicturesLine;
    while (std::getline(in, line)) {
        size_t at = line.find_first_not_of(" \t");
        if (at == std::string::npos || line.compare(at, key.size(), key) != 0) continue;
        std::string value;
        for (at += key.size(); at < line.size() && line[at] != '"'; ++at) {
            if (line[at] == '\\' && at + 1 < line.size()) ++at;
            value += line[at];
        }
        if (at == line.size()) continue;  // no closing quote
        std::string folder = userDirsValue(value, home);
        if (!folder.empty()) found = folder;
    }
    return found;
}

}  // namespace

std::string picturesFolder(std::string& why) {
    std::string folder = absolutePath("XDG_PICTURES_DIR");
    if (!folder.empty()) return folder;
    std::string home = absolutePath("HOME");
    std::string config = absolutePath("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty()) config = joinPath(home, ".config");
    if (!config.empty()) folder = fromUserDirs(joinPath(config, "user-dirs.dirs"), home);
    if (!folder.empty()) return folder;
    if (home.empty()) why = "HOME is not set";
    return home.empty() ? "" : joinPath(home, "Pictures");
}
