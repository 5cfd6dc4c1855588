#include "shell/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/archive/archive_reader.h"
#include "platform/files/file_system.h"
#include "shell/settings_file.h"

namespace {

const char kCommandNames[] = "/function.dat";
const char kInstalledData[] = "/../share/zebora";
const size_t kPathBytes = 4096;
const char kOurData[] = "/zebora";
const char kUserGames[] = "/games";
const char kDefaultDataFolder[] = "/.local/share";
const char kArchiveFiles[] = "/archives";

bool holdsCommandNames(const std::string& folder) {
    struct stat info;
    return !folder.empty() && stat((folder + kCommandNames).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The folder of the running program, found through the kernel so that a player started from the PATH
// or through a link finds the data it was installed with.
std::string programFolder() {
    char path[kPathBytes];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.rfind('/'));
}

}  // namespace

std::string chooseWorkingFolder(const char* root, bool& installed) {
    installed = false;
    if (root) return root;
    if (holdsCommandNames(".")) return "";
    for (const std::string& folder : {programFolder() + kInstalledData, std::string(ZEBORA_DATA_DIR),
                                      std::string(ZEBORA_SOURCE_DATA_DIR)}) {
        installed = holdsCommandNames(folder);
        if (installed) return folder;
    }
    return "";
}

std::string readerDataFolder() {
    std::string data = desktopFolder("XDG_DATA_HOME", kDefaultDataFolder);
    return data.empty() ? "" : data + kOurData;
}

std::string userGamesFolder() {
    std::string data = readerDataFolder();
    return data.empty() ? "" : data + kUserGames;
}

namespace {

// The archive is mounted as a folder of its own path: its game plays as a game folder inside it. The
// one mounted last is not read again.
bool findArchiveGame(const std::string& path, NamedGame& game) {
    static NamedGame mounted;
    if (!mounted.folder.empty() && (mounted.folder == path || mounted.folder.rfind(path + "/", 0) == 0)) {
        game = mounted;
        return true;
    }
    std::vector<ArchiveMember> members;
    std::string& inside = game.inArchive;
    if (!readArchive(path, members, game.refusal)) return false;
    if (!findArchiveGame(members, inside, game.script)) {
        game.refusal = "holds no .zeb script";
        return false;
    }
    std::string data = readerDataFolder();
    mountArchive(path, std::move(members), data.empty() ? "" : data + kArchiveFiles,
                 [path](const ArchiveMember& member, const ByteSink& sink) {
                     return readMemberAgain(path, member, sink);
                 });
    game.folder = inside.empty() ? path : path + "/" + inside;
    mounted = game;
    return true;
}

}  // namespace

void sayNoGame(const std::string& given, const NamedGame& game) {
    if (!game.refusal.empty()) {
        std::fprintf(stderr, "zebora: %s: %s\n", given.c_str(), game.refusal.c_str());
    } else {
        std::fprintf(stderr, "zebora: %s is neither a game folder holding a .zeb script nor a script\n",
                     given.c_str());
    }
}

bool findNamedGame(const std::string& given, NamedGame& game) {
    char resolved[PATH_MAX];
    struct stat info;
    if (!realpath(given.c_str(), resolved) || stat(resolved, &info) != 0) return false;
    std::string path = resolved;
    if (S_ISREG(info.st_mode) && isArchiveName(path)) {
        if (findArchiveGame(path, game)) return true;
        game.refusal = "the archive " + game.refusal;
        return false;
    }
    if (S_ISREG(info.st_mode)) {
        size_t slash = path.rfind('/');
        game.folder = slash == 0 ? "/" : path.substr(0, slash);
        game.script = path.substr(slash + 1);
        return true;
    }
    if (!S_ISDIR(info.st_mode)) return false;
    ReturnToFolder back;
    FolderListing listing;
    FolderEntry entry;
    if (chdir(path.c_str()) != 0 || !listing.open("*.zeb")) return false;
    while (listing.next(entry)) {
        if (entry.directory) continue;
        game.folder = path;
        game.script = entry.name;
        return true;
    }
    return false;
}
