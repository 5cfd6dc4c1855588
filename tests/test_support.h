// Helpers shared by the tests: temporary working folders, Shift-JIS files, and headless runs of the
// real player.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

std::string toSjis(const std::string& utf8);
std::string repeat(const std::string& text, int times);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// Whether a program is on the PATH, and what a shell command writes on its standard output.
bool programInstalled(const std::string& program);
std::string commandOutput(const std::string& command);

// A fresh working folder holding the bundled function.dat, system.bmp, qmlogo.bmp and zeb.bmp; removed
// with everything in it.
// Debian's python3, whatever else the PATH finds first: the tests' scripts use its packages.
const char kDebianPython[] = "/usr/bin/python3";

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes game/story.zeb and a start.dat that starts it.
    void writeGame(const std::string& utf8Script) const;
    // Copies the pictures of the bundled demo game into game/.
    void copyDemoPictures() const;
    // Copies a demo game of games/ whole, with a start.dat that starts it.
    void copyDemoGame(const std::string& game) const;
    // Writes FOLDER/story.zeb with the header lines and the script.
    void writeGameFolder(const std::string& folder, const std::string& utf8Script) const;

private:
    std::string path_;
};

// Makes path the current folder for the life of the object, then returns to the folder it came from.
class EnterFolder {
public:
    explicit EnterFolder(const std::string& path);
    ~EnterFolder();
    EnterFolder(const EnterFolder&) = delete;
    EnterFolder& operator=(const EnterFolder&) = delete;

private:
    std::string home_;
};
std::string currentFolder();

// Sets an environment variable (unsets it for null) for the life of the object, then puts back what was
// there. The players the tests run inherit it.
class EnvironmentVariable {
public:
    EnvironmentVariable(const std::string& name, const char* value);
    ~EnvironmentVariable();
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// A MIDI file of one bar of four quarters at the given tempo: one stroke of a wood block at its start,
// then silence until its end.
std::string oneBarOfMusic(int quarterMs);

struct RunResult {
    int status = -1;
    std::string errors;      // what the player wrote on stderr
    std::string trace;       // what it wrote with --trace
    std::string transcript;  // and with --transcript
};

// Runs zebora --headless in root with the reader actions (none when empty: no reader at all).
// shell is put before the player's command line (limits, or another user to run as).
RunResult runHeadless(const TempFolder& root, const std::string& reader, const std::string& shell = "");
// Runs zebora --headless ARGUMENTS from the folder start, without --root; its stderr, trace and the
// reader's file are kept in files as runHeadless keeps them.
RunResult runPlayerFrom(const std::string& start, const TempFolder& files, const std::string& arguments,
                        const std::string& reader);
// Runs a script as game/story.zeb through start.dat in a fresh working folder.
RunResult runScript(const std::string& utf8Script, const std::string& reader = "");
// The PNG bytes of the screen ms of engine time after the start of the script run as by runScript.
std::string shotAfter(const std::string& utf8Script, int ms);
// What stderr holds after fatalError(utf8Message).
std::string fatalLine(const std::string& utf8Message);
// The name shown by the unknown-command message that a script ends in to prove which way it went.
std::string unknownCommand(const std::string& name);

// Sets up the headless window system for in-process tests (once per process).
void useHeadlessWindowSystem();
// The headless window system and a display opened full screen (1) or windowed (0).
void openHeadlessDisplay(int fullScreen = 1);
// A pixel of a display slot, and the pixels at the points {x, y} given.
uint8_t& pixelAt(int slot, int x, int y);
std::vector<int> pixelsAt(int slot, std::initializer_list<std::pair<int, int>> points);
