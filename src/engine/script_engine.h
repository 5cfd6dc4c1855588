// The engine state and the operations of the script engine: loading, reset, dispatch, the run loop,
// places and jumps, and the command handlers.
#pragma once
#include <cstdint>
#include <vector>

const int kArgsBytes = 1000;
const int kNameBytes = 256;
const int kFlagCount = 256;
const int kMaxPlaces = 1000;
const int kMenuLines = 10;
const int kBookmarkCount = 3;

// The largest script the engine takes: real games' scripts are well under a megabyte, and the place
// scan alone would take a day for a script this large.
const uint32_t kMaxScriptBytes = 16u * 1024 * 1024;

const int kCommandCapacity = 200;
const int kCommandNameBytes = 50;

extern char g_commands[kCommandCapacity][kCommandNameBytes];
extern int32_t g_commandCount;

struct BookmarkSummary {
    bool exists;
    uint8_t year;
    uint8_t month;
    uint8_t day;
    uint8_t playthrough;
    uint32_t playTime;
    int32_t hours;
    int32_t minutes;
    int32_t seconds;
};

struct MenuRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// What the run loop does next.
enum : int8_t {
    ACTION_READ_ON = -1,
    ACTION_CLICK_WAIT = 0,
    ACTION_PAGE_WAIT = 1,
    ACTION_CHOICE = 2,
    ACTION_END_GAME = 3,
};

class ScriptEngine {
public:
    char* script;
    char args[kArgsBytes];
    char bgName[kNameBytes];
    char midiName[kNameBytes];
    int32_t flags[kFlagCount];
    int32_t pos;
    int32_t length;
    int32_t textX;
    int32_t textY;
    int32_t textColor;
    int32_t dimLevel;
    int32_t font;
    char fontFace[kNameBytes];
    int8_t pendingAction;
    uint8_t transparentSet;
    int32_t namePos[kMaxPlaces];
    int32_t fontHeight;  // within the sizes drawn (drawableFontSize), as cmdText sets it
    int32_t fontWidth;
    int32_t fontWeight;
    int32_t skipTyping;
    int32_t nameCount;
    int32_t lineHeight;
    int32_t playCount;
    uint32_t playTimeBase;
    BookmarkSummary bookmarks[kBookmarkCount];
    char menuText[kMenuLines][kNameBytes];
    char choicePlace[kMenuLines][kNameBytes];
    int8_t choiceCount;
    char choiceText[kMenuLines][kNameBytes];
    MenuRect choiceRect[kMenuLines];

    // Loading, reset and the direct start.
    void loadCommandTable();
    void loadScript();
    void resetGameState();
    void startFromStartFile();
    // Screenshots are named after gameName.
    void startGame(const char* folder, const char* scriptName, const char* gameName);
    void launchGame();

    // Dispatch and the run loop.
    void dispatchCommand();
    void extractArgs();
    void runScript();
    void handleEscape();

    // The message window and the reader's waits.
    void typeCharacter();
    void clickWait();
    void pageWait();
    void clearPage();
    void newLine();
    void indent();
    void hideTextUntilClick();
    // Empties the text layer; what was typed on it becomes a page of the backlog.
    void clearTextLayer();
    // Darkens the picture behind the text (when dimLevel is 0) and puts the text layer back over it;
    // the text and menu colours are exempt and stay bright. Typing dims three levels a step.
    static constexpr int32_t kTypingDimStep = 3;
    void dimBehindText(int32_t step = kTypingDimStep);
    // The right-click menu of the waits; true when the game was replaced by a bookmark or ended.
    bool systemMenu(int8_t waitKind);

    // Places and jumps.
    void scanLabels();
    int8_t jumpToLabel(const char* name);
    void cmdStart();
    void showVersionWarning();
    void cmdWait();
    void cmdGoto();

    // Choice menus and the shared menu functions.
    void cmdSelect();
    void cmdTitle();
    void cmdWaitClick();
    void drawMenuItem(int slot, int32_t x, int32_t y, const char* text, int32_t& outWidth, int32_t& outHeight,
                      int colour);
    int8_t runMenu(const MenuRect* rects, int count, int rightCancels);
    void drawChoiceLine(int index, int32_t y, const char* text, int colour, int32_t& outWidth,
                        int32_t& outHeight, int slot);
    void waitChoice();

    // Image commands and the scene layers.
    void cmdBgLoad();
    void cmdPlLoad();
    void cmdObjLoad();
    void cmdObjLoadXy();
    void cmdObjLoadF();
    void cmdPlLoadF();
    void composeScene();
    void resetScreen();
    void loadKeyColour(const char* file);
    void restoreBrightness();

    // Text and palette commands.
    void cmdText();
    void cmdTextColor();
    void cmdTextEnd();
    void cmdSetTrans();

    // Sound commands.
    void cmdMidi();
    void cmdSound();

    // Effect commands.
    void cmdDamage();
    void cmdFlash();
    void cmdOut();

    // Flag commands.
    void cmdFlag();
    void cmdFlagRandom();
    void cmdFlagTo();
    void cmdFlagSelect();
    void cmdFlagToSelect();
    void cmdFlagClear();
    void branchOnFlag(bool againstFlag);

    // The end of a game.
    void endGame();

    // Bookmarks: the files, and the menus of the system menu and of the reserved place names.
    bool saveGame(int number, int8_t waitKind);
    // Reads and checks a bookmark before anything of the running game changes; false after telling
    // the reader that it cannot be loaded.
    bool readBookmarkFile(int number, std::vector<uint8_t>& file);
    void loadGame(int number, const std::vector<uint8_t>& file);
    // The quick bookmark of the reader's own, one a game, kept with the reader's files: saved and loaded
    // in one key at a wait, in the bookmarks' own format and checks. False when it could not be written,
    // or when there is none that may be loaded.
    bool quickSave(int8_t waitKind);
    bool quickLoad();
    void loadState(const char* traceName, const std::vector<uint8_t>& file, uint8_t playthrough,
                   uint32_t playTime);
    void readBookmarks();
    void drawBookmark(int number, int slot, int colourIndex);
    int bookmarkMenu(const char* verb, bool fromBackground);
    int8_t confirm(const char* message);
    // Two menu lines 32 pixels apart from (x, y), on the picture already in the back buffer.
    int8_t askTwo(const char* first, const char* second, int32_t x, int32_t y);
    // A playthrough begins: the screen emptied and wiped in, the counters set, the play time running.
    void startPlaythrough(int32_t count, uint32_t playTime);
    void saveMenu(int8_t waitKind);
    bool loadMenu();
    bool endGameMenu();
    int8_t loadStartMenu();
    int8_t initBookmarkMenu();
};

extern ScriptEngine g_engine;
