#include "platform/files/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files/archive_folder.h"
#include "platform/files/name_spellings.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/content_hash.h"

namespace {

const int kEndOfFileMark = 0x1A;
const size_t kNameBytes = 1024;

bool isAbsolute(const char* sjisName) {
    return sjisName[0] == '/' || sjisName[0] == '\\';
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The name of the entry of folder that the component stands for, or the component itself.
std::string matchComponent(const std::string& folder, const std::string& component) {
    if (component == "." || component == "..") return component;
    std::string prefix = folder.empty() ? "" : folder + "/";
    // A name spelt as the script writes it, the usual case, costs no conversion.
    if (exists(prefix + component)) return component;
    std::vector<std::string> spellings = nameSpellings(component);
    for (const std::string& spelling : spellings) {
        if (exists(prefix + spelling)) return spelling;
    }
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return component;
    std::string found = component;
    while (dirent* entry = readdir(dir)) {
        if (matchesASpelling(entry->d_name, spellings)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

}  // namespace

void resolveGamePath(const char* sjisName, char* out, size_t outSize) {
    std::string path;
    std::string component;
    bool absolute = isAbsolute(sjisName);
    for (const char* p = sjisName;; ++p) {
        if (*p == '/' || *p == '\\' || *p == '\0') {
            if (!component.empty()) {
                std::string folder = path.empty() && absolute ? "/" : path;
                std::string match = matchComponent(folder, component);
                path = path.empty() ? (absolute ? "/" + match : match) : path + "/" + match;
                component.clear();
            }
            if (*p == '\0') break;
        } else {
            component += *p;
        }
    }
    if (path.empty()) path = absolute ? "/" : "";
    std::snprintf(out, outSize, "%s", path.c_str());
}

namespace {

// While a GameFolder is entered (a game plays, is scanned or checked): the physical path of the
// folder that holds the game's folder, empty when the game's folder could not be entered.
bool g_confined = false;
std::string g_bounds;

std::string physicalFolder() {
    char here[PATH_MAX];
    return getcwd(here, sizeof here) ? here : "";
}

// The physical path of the file a name stands for, when it lies inside folder (a physical path) or
// is it.
bool leadsInside(const char* sjisName, const std::string& folder, std::string& physical) {
    char path[kNameBytes], real[PATH_MAX];
    resolveGamePath(sjisName, path, sizeof path);
    if (isAbsolute(sjisName) || path[0] == '\0' || folder.empty() || !realpath(path, real)) return false;
    physical = real;
    return folder == "/" || physical == folder ||
           (physical.compare(0, folder.size(), folder) == 0 && physical[folder.size()] == '/');
}

// Where a game file lies on disk; false when it may not be read.
bool gameFilePath(const char* sjisName, std::string& path) {
    if (g_confined) return leadsInside(sjisName, g_bounds, path);
    char resolved[kNameBytes];
    resolveGamePath(sjisName, resolved, sizeof resolved);
    path = resolved;
    return !path.empty();
}

// Not waiting in the open for a writer that never comes; the file is checked before it is read.
FILE* openRegularFile(const std::string& path) {
    int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) return nullptr;
    struct stat info;
    FILE* stream = nullptr;
    if (fstat(file, &info) == 0 && S_ISREG(info.st_mode) && fcntl(file, F_SETFL, 0) == 0)
        stream = fdopen(file, "rb");
    if (!stream) close(file);
    return stream;
}

// Reads an opened file (none: false) and closes it.
bool readWhole(FILE* file, size_t maxBytes, std::vector<uint8_t>& out) {
    out.clear();
    if (!file) return false;
    uint8_t piece[65536];
    size_t got = 0;
    while (out.size() <= maxBytes && (got = std::fread(piece, 1, sizeof piece, file)) > 0)
        out.insert(out.end(), piece, piece + got);
    std::fclose(file);
    return out.size() <= maxBytes;
}

}  // namespace

namespace {

// Every byte, however the kernel splits the writes; false at the first refusal.
bool writeAll(int file, const uint8_t* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t wrote = write(file, bytes + done, size - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// A kept member is read where it lies; one read again from the archive goes into a file that lives in
// memory, never on disk, and is gone when the stream is closed. An empty file reads as one.
FILE* openMember(const ArchiveMember& member) {
    if (member.size == 0) return std::fopen("/dev/null", "rb");
    if (member.kept()) return fmemopen(const_cast<uint8_t*>(member.bytes.data()), member.bytes.size(), "rb");
    int file = memfd_create("zebora-member", MFD_CLOEXEC);
    FILE* stream = nullptr;
    auto written = [file](const uint8_t* bytes, size_t size) { return writeAll(file, bytes, size); };
    if (file >= 0 && archive_folder::readMember(member, written) && lseek(file, 0, SEEK_SET) == 0)
        stream = fdopen(file, "rb");
    if (!stream && file >= 0) close(file);
    return stream;
}

// The reader's own file for the archive, when there is one: it comes first.
bool ownArchiveFile(const char* sjisName) {
    std::string own = archive_folder::readerFile(sjisName);
    struct stat info;
    return !own.empty() && stat(own.c_str(), &info) == 0;
}

// The reader's own file for the archive comes first: a bookmark saved before.
FILE* openArchiveFile(const char* sjisName) {
    std::string own = archive_folder::readerFile(sjisName);
    FILE* file = own.empty() ? nullptr : openRegularFile(own);
    if (file) return file;
    const ArchiveMember* member = archive_folder::find(sjisName);
    return member ? openMember(*member) : nullptr;
}

}  // namespace

FILE* openGameFile(const char* sjisName) {
    if (archive_folder::entered()) return openArchiveFile(sjisName);
    std::string path;
    return gameFilePath(sjisName, path) ? openRegularFile(path) : nullptr;
}

bool readGameFile(const char* sjisName, size_t maxBytes, std::vector<uint8_t>& out) {
    // A large member of an archive comes straight from the archive, not through a copy of it.
    const ArchiveMember* member =
        archive_folder::entered() && !ownArchiveFile(sjisName) ? archive_folder::find(sjisName) : nullptr;
    if (!member || member->kept()) return readWhole(openGameFile(sjisName), maxBytes, out);
    out.clear();
    if (member->size > maxBytes) return false;
    out.reserve(member->size);
    auto kept = [&out](const uint8_t* bytes, size_t size) {
        out.insert(out.end(), bytes, bytes + size);
        return true;
    };
    return archive_folder::readMember(*member, kept);
}

bool readWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out) {
    return readWhole(openRegularFile(path), maxBytes, out);
}

namespace {

const char kTemporarySuffix[] = ".tmp";

// The temporary file is always a new one: a game's folder may hold a symbolic link under its name,
// which writing through would lead out of the folder, a hard link to a file elsewhere, or a named
// pipe, which would never open. What lies there (also a file left by a save that was killed) is
// removed; O_EXCL never follows a link, and anything that appears under the name meanwhile makes the
// save fail rather than be written through. A close can report a write the disk refused late, so it
// counts as much as the writes.
bool writeToDisk(const std::string& path, const std::string& bytes) {
    unlink(path.c_str());
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file < 0) return false;
    bool written =
        writeAll(file, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) && fsync(file) == 0;
    return close(file) == 0 && written;
}

// The rename is written in the folder: until the folder reaches the disk, a power cut may bring back
// the old file. The new file is in place by now, so a folder that cannot be flushed fails nothing.
void flushFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    int file = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (file < 0) return;
    fsync(file);
    close(file);
}

}  // namespace

bool replaceGameFile(const char* sjisName, const std::string& bytes) {
    if (archive_folder::entered()) {
        std::string own = archive_folder::readerFile(sjisName);
        return !own.empty() && archive_folder::makeReaderFolder() && replaceFile(own, bytes);
    }
    char path[kNameBytes];
    resolveGamePath(sjisName, path, sizeof path);
    return path[0] != '\0' && replaceFile(path, bytes);
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    std::string temporary = path + kTemporarySuffix;
    if (!writeToDisk(temporary, bytes) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    flushFolderOf(path);
    return true;
}

bool makeFolders(const std::string& folder, std::string& failed) {
    for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        failed = folder.substr(0, end);
        if (mkdir(failed.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (end == std::string::npos) break;
    }
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR;
    return false;
}

std::string joinPath(const std::string& a, const std::string& b) {
    return !a.empty() && a.back() == '/' ? a + b : a + "/" + b;
}

// A hash of the physical path: a folder moved or copied elsewhere is another game to the reader's files.
std::string currentFolderKey() {
    if (archive_folder::entered()) return archive_folder::key();
    std::string folder = physicalFolder();
    uint64_t hash = contentHash(folder.data(), folder.size());
    size_t slash = folder.rfind('/');
    std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    if (!name.empty() && name[0] == '.') name[0] = '_';  // never a hidden file
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return (name.empty() ? std::string("root") : name) + "-" + hex;
}

bool removeGameFile(const char* sjisName) {
    if (archive_folder::entered()) {
        std::string own = archive_folder::readerFile(sjisName);
        return !own.empty() && unlink(own.c_str()) == 0;
    }
    char path[kNameBytes];
    resolveGamePath(sjisName, path, sizeof path);
    return path[0] != '\0' && unlink(path) == 0;
}

bool changeDirectory(const char* sjisName) {
    char path[kNameBytes];
    resolveGamePath(sjisName, path, sizeof path);
    return path[0] != '\0' && chdir(path) == 0;
}

bool leadsInsideCurrentFolder(const char* sjisName) {
    std::string physical;
    return leadsInside(sjisName, physicalFolder(), physical);
}

ReturnToFolder::ReturnToFolder() : folder_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

ReturnToFolder::~ReturnToFolder() {
    if (folder_ < 0) return;
    if (fchdir(folder_) != 0) std::perror("zebora: cannot return to the working folder");
    close(folder_);
}

GameFolder::GameFolder()
    : wasConfined_(g_confined), bounds_(g_bounds), archivePlace_(archive_folder::place()) {}

GameFolder::~GameFolder() {
    g_confined = wasConfined_;
    g_bounds = bounds_;
    archive_folder::restore(archivePlace_);
}

bool GameFolder::enter(const char* sjisName) {
    g_confined = true;
    g_bounds.clear();
    if (archive_folder::enter(sjisName)) return true;
    archive_folder::restore({false, ""});
    if (!changeDirectory(sjisName)) return false;
    std::string folder = physicalFolder();
    size_t slash = folder.rfind('/');
    if (slash != std::string::npos) g_bounds = folder.substr(0, slash == 0 ? 1 : slash);
    return !g_bounds.empty();
}

bool findFile(const char* sjisName, uint32_t& size) {
    std::string path;
    struct stat info;
    if (archive_folder::entered()) {
        std::string own = archive_folder::readerFile(sjisName);
        const ArchiveMember* member = nullptr;
        if (own.empty() || stat(own.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            member = archive_folder::find(sjisName);
            if (!member) return false;
        }
        size = member ? static_cast<uint32_t>(member->size) : static_cast<uint32_t>(info.st_size);
        return true;
    }
    if (!gameFilePath(sjisName, path) || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = static_cast<uint32_t>(info.st_size);
    return true;
}

size_t readTextPiece(FILE* file, char* buffer, size_t size) {
    size_t count = 0;
    while (count + 1 < size) {
        int c = std::fgetc(file);
        if (c == EOF || c == kEndOfFileMark) {
            if (c == kEndOfFileMark) std::fseek(file, 0, SEEK_END);
            break;
        }
        if (c == '\r') {
            int next = std::fgetc(file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, file);
            }
        }
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[count] = '\0';
    return count;
}

namespace {

bool matchesPattern(const char* name, const char* pattern) {
    if (std::strcmp(pattern, "*") == 0) return true;
    if (pattern[0] != '*') return sameIgnoringAsciiCase(name, pattern);
    size_t nameLength = std::strlen(name), suffixLength = std::strlen(pattern + 1);
    return nameLength >= suffixLength && sameIgnoringAsciiCase(name + nameLength - suffixLength, pattern + 1);
}

bool lessIgnoringAsciiCase(const std::string& a, const std::string& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return x < y;
    }
    return a.size() < b.size() || (a.size() == b.size() && a < b);
}

}  // namespace

namespace {

void nameEntry(const std::string& name, FolderEntry& entry) {
    if (!utf8ToSjis(name.c_str(), entry.name, sizeof entry.name))
        std::snprintf(entry.name, sizeof entry.name, "%s", name.c_str());
}

}  // namespace

bool FolderListing::open(const char* pattern) {
    entries_.clear();
    next_ = 0;
    if (archive_folder::entered()) {
        std::vector<archive_folder::Entry> found = archive_folder::list();
        std::sort(found.begin(), found.end(),
                  [](const archive_folder::Entry& a, const archive_folder::Entry& b) {
                      return lessIgnoringAsciiCase(a.name, b.name);
                  });
        for (const archive_folder::Entry& each : found) {
            if (!matchesPattern(each.name.c_str(), pattern)) continue;
            FolderEntry entry = {};
            nameEntry(each.name, entry);
            entry.directory = each.folder;
            entry.size = each.size;
            entries_.push_back(entry);
        }
        return true;
    }
    DIR* dir = opendir(".");
    if (!dir) return false;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        if (matchesPattern(entry->d_name, pattern)) names.push_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), lessIgnoringAsciiCase);
    for (const std::string& name : names) {
        struct stat info;
        if (stat(name.c_str(), &info) != 0) continue;
        FolderEntry entry = {};
        nameEntry(name, entry);
        entry.directory = S_ISDIR(info.st_mode);
        entry.size = static_cast<uint32_t>(info.st_size);
        entries_.push_back(entry);
    }
    return true;
}

bool FolderListing::next(FolderEntry& entry) {
    if (next_ >= entries_.size()) return false;
    entry = entries_[next_++];
    return true;
}
