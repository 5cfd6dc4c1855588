#include "platform/window/private/screenshot_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "platform/headless/trace.h"
#include "platform/window/png_file.h"
#include "platform/window/private/pictures_folder.h"
#include "platform/window/screen_picture.h"

namespace {

const char kNoGame[] = "zebora";
const char kOurFolder[] = "Zebora";
// Leaves room in a file name of 255 bytes for the time, the number and ".png".
const size_t kMaxGameNameBytes = 200;
const int kMaxNumber = 9999;
const size_t kMaxPathBytes = 4096;

std::string g_gameName = kNoGame;
bool g_failureSaid = false;

// Characters that Windows, a FAT or NTFS stick or a shell would trip over, and a leading dot, which
// would hide the picture.
bool unsafeInFileName(char c, size_t at) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || std::strchr("/\\:*?\"<>|", c) || (at == 0 && c == '.');
}

// The game's part of a screenshot's name: the folder name in UTF-8, its unsafe characters replaced,
// cut at the start of a character.
std::string fileNamePart(const char* folderName) {
    std::string name = nameToUtf8(folderName);
    for (size_t at = 0; at < name.size(); ++at) {
        if (unsafeInFileName(name[at], at)) name[at] = '_';
    }
    size_t end = std::min(name.size(), kMaxGameNameBytes);
    while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    name.resize(end);
    return name.empty() ? kNoGame : name;
}

std::string localTime() {
    std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whatever the desktop's settings say, never the current folder or a folder above it: the game's own
// folder and the working folder during a game, the working folder otherwise.
bool holdsCurrentFolder(const std::string& folder) {
    struct stat target, here, above;
    if (stat(folder.c_str(), &target) != 0 || stat(".", &here) != 0) return false;
    for (std::string up = "..";; up += "/..") {
        if (sameFile(here, target)) return true;
        // At the root, ".." is the root itself.
        if (up.size() > kMaxPathBytes || stat(up.c_str(), &above) != 0 || sameFile(above, here)) return false;
        here = above;
    }
}

// Creates the first free name of base.png, base-2.png, …, so that no file is ever replaced, and
// returns it open: the picture is written into the file made here, never into what its name may lead
// to by then. Null when no name could be made.
FILE* claimName(const std::string& folder, const std::string& base, std::string& path) {
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string suffix = number == 1 ? "" : "-" + std::to_string(number);
        path = joinPath(folder, base + suffix + ".png");
        int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0) {
            FILE* stream = fdopen(file, "wb");
            if (!stream) close(file);
            return stream;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// The path written, or false with why.
bool writeScreenshot(const ScreenSource& screen, std::string& path, std::string& why) {
    std::string pictures = picturesFolder(why);
    if (pictures.empty()) return false;
    std::string folder = joinPath(pictures, kOurFolder), failed;
    if (!makeFolders(folder, failed)) {
        why = "cannot make the folder " + failed + ": " + std::strerror(errno);
        return false;
    }
    if (holdsCurrentFolder(folder)) {
        why = "will not write into " + folder + ": the player runs from there";
        return false;
    }
    FILE* file = claimName(folder, g_gameName + "-" + localTime(), path);
    if (!file) {
        why = path + ": " + std::strerror(errno);
        return false;
    }
    std::vector<uint8_t> rgb(kScreenWidth * kScreenHeight * 3);
    screenToRgb(screen, rgb.data());
    errno = 0;
    if (writePngTo(file, rgb.data(), kScreenWidth, kScreenHeight)) return true;
    why = path + ": " + (errno != 0 ? std::strerror(errno) : "the picture could not be written");
    unlink(path.c_str());
    return false;
}

}  // namespace

void setScreenshotGame(const char* folderName) {
    g_gameName = folderName ? fileNamePart(folderName) : kNoGame;
}

bool takeScreenshot(const ScreenSource& screen) {
    std::string path, why;
    if (writeScreenshot(screen, path, why)) {
        traceEvent("screenshot %s", path.c_str());
        return true;
    }
    traceEvent("screenshot not written: %s", why.c_str());
    if (!g_failureSaid) std::fprintf(stderr, "zebora: cannot take a screenshot: %s\n", why.c_str());
    g_failureSaid = true;
    return false;
}
