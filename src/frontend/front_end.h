// The front end: the game table (every sub-folder of the working folder that holds a script is one
// game), the game-selection menu, and the maker's logo.
#pragma once
#include <cstdint>
#include <string>

const int kMaxGames = 256;
// Said in a corner of the page when a game dropped or picked there cannot be played.
const char kNoGameNotice[] = "ゲームが見つかりませんでした";
const int kGameTextBytes = 256;
// The header lines of a script that the selection page shows, in the order of the table's fields.
const int kHeaderKeys = 4;
inline const char* const kHeaderKeyNames[kHeaderKeys] = {"#title ", "#subtitle ", "#artist ", "#genre "};

class FrontEnd {
public:
    char title[kMaxGames][kGameTextBytes];
    char subtitle[kMaxGames][kGameTextBytes];
    char artist[kMaxGames][kGameTextBytes];
    char genre[kMaxGames][kGameTextBytes];
    char folder[kMaxGames][kGameTextBytes];
    char scriptFile[kMaxGames][kGameTextBytes];
    uint32_t scriptSize[kMaxGames];
    int32_t count;
    int32_t selected;
    // An installed player lists the reader's own games after its demo games: the games of this
    // folder (absolute), when it is not empty. A reader's game in a folder of a demo game's name takes
    // that game's place: a demo game copied there keeps its bookmarks.
    std::string userGames;

    void scanGames();
    // Games dropped onto the window (dropped_games.cpp): those of the reader's list, listed after the
    // others; one just dropped, added and selected (false when it is no game, which the page says).
    void scanDroppedGames();
    bool playDropped(const std::string& path);
    // A game folder, script or archive added to the table; false when it is none or the table is full.
    bool addGame(const std::string& path);
    int32_t findGame(const std::string& gameFolder, const std::string& script) const;
    void scanGamesIn(const char* prefix);
    void scanFolder(const char* folderName, const char* prefix);
    void readHeader(const char* fileName, int32_t entry);

    [[noreturn]] void run();
    void showBackground();
    void drawMenu();
    void drawPanel();
    void turnPage(int32_t delta);
    void runPage();
    void closeMenu();
};

extern FrontEnd g_frontEnd;

bool startsWith(const char* line, const char* key);

// Where each header line stood in the script (0: no line matched its key), and whether it was cut.
struct HeaderLines {
    int line[kHeaderKeys] = {};
    bool cut[kHeaderKeys] = {};
};
// Up to four header lines into the fields, in the order of kHeaderKeyNames, each cut at 255 bytes; the
// last line that matches a key wins, and four matched lines end the scan. False when the file cannot
// be read.
bool readHeaderLines(const char* fileName, char* const fields[kHeaderKeys], HeaderLines* lines = nullptr);
void showLogo();
// The logo's first frame: its picture loaded, the backdrop tiled and presented, still black.
void prepareLogo();
