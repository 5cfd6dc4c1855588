// Games dropped onto the window while the game-selection page is shown: a game folder, a script or an
// archive plays at once, and is kept in a list of the reader's ($XDG_DATA_HOME/zebora/dropped.txt, a
// path a line) so that the page lists it after the other games from then on. An archive on the list
// is only named on the page: it is read when it is played.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/front_end.h"
#include "platform/archive/archive_reader.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"
#include "shell/working_folder.h"

namespace {

const char kDroppedList[] = "dropped.txt";
const size_t kLongestList = 1 << 20;

std::string listPath() {
    std::string data = readerDataFolder();
    return data.empty() ? "" : joinPath(data, kDroppedList);
}

std::vector<std::string> droppedPaths() {
    std::vector<uint8_t> bytes;
    std::vector<std::string> paths;
    if (listPath().empty() || !readWholeFile(listPath(), kLongestList, bytes)) return paths;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) paths.push_back(line);
    }
    return paths;
}

// A list that cannot be written costs the reader only the game's place on the next page.
void remember(const std::string& path) {
    std::vector<std::string> paths = droppedPaths();
    for (const std::string& known : paths) {
        if (known == path) return;
    }
    std::string text, failed;
    for (const std::string& known : paths)
        text += known + "\n";
    if (makeFolders(readerDataFolder(), failed) && replaceFile(listPath(), text + path + "\n")) return;
    std::fprintf(stderr, "zebora: cannot keep the list of dropped games in %s\n", listPath().c_str());
}

std::string physicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "";
}

}  // namespace

int32_t FrontEnd::findGame(const std::string& gameFolder, const std::string& script) const {
    for (int32_t entry = 0; entry < count; ++entry) {
        if (gameFolder == folder[entry] && script == scriptFile[entry]) return entry;
    }
    return -1;
}

bool FrontEnd::addGame(const std::string& path) {
    int32_t entry = count;
    if (entry >= kMaxGames || path.size() >= static_cast<size_t>(kGameTextBytes)) return false;
    title[entry][0] = subtitle[entry][0] = artist[entry][0] = genre[entry][0] = '\0';
    if (isArchiveName(path)) {
        std::snprintf(folder[entry], kGameTextBytes, "%s", path.c_str());
        scriptFile[entry][0] = '\0';
        scriptSize[entry] = 0;
        std::string name = utf8ToSjisLenient(path.substr(path.rfind('/') + 1).c_str());
        std::snprintf(title[entry], kGameTextBytes, "%s", name.c_str());
        ++count;
        return true;
    }
    NamedGame game;
    uint32_t size = 0;
    if (!findNamedGame(path, game) || game.folder.size() >= static_cast<size_t>(kGameTextBytes)) return false;
    GameFolder in;
    if (!in.enter(game.folder.c_str()) || !findFile(game.script.c_str(), size)) return false;
    std::snprintf(folder[entry], kGameTextBytes, "%s", game.folder.c_str());
    std::snprintf(scriptFile[entry], kGameTextBytes, "%s", game.script.c_str());
    scriptSize[entry] = size;
    readHeader(scriptFile[entry], entry);
    ++count;
    return true;
}

void FrontEnd::scanDroppedGames() {
    for (const std::string& path : droppedPaths())
        addGame(path);
}

bool FrontEnd::playDropped(const std::string& dropped) {
    std::string path = physicalPath(dropped);
    NamedGame game;
    if (path.empty() || !findNamedGame(path, game)) {
        if (!game.refusal.empty()) sayNoGame(dropped, game);
        g_windowSystem->showNotice(kNoGameNotice);
        return false;
    }
    bool archive = isArchiveName(path);
    int32_t entry = findGame(archive ? path : game.folder, archive ? "" : game.script);
    if (entry < 0) {
        if (!addGame(path)) return false;
        entry = count - 1;
        remember(path);
    }
    selected = entry;
    return true;
}
