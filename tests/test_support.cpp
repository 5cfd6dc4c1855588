#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "display/display.h"
#include "midi_score.h"
#include "platform/files/text_encoding.h"
#include "platform/window_system.h"
#include "shell/shell.h"

std::string toSjis(const std::string& utf8) {
    std::vector<char> out(utf8.size() * 2 + 1);
    if (!utf8ToSjis(utf8.c_str(), out.data(), out.size())) throw std::runtime_error("not Shift-JIS: " + utf8);
    return out.data();
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool programInstalled(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string commandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    return output;
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/zebora-test-XXXXXX";
    path_ = mkdtemp(pattern);
    for (const char* name : {"function.dat", "system.bmp", "qmlogo.bmp", "zeb.bmp"}) {
        writeFile(file(name), readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/" + name));
    }
}

TempFolder::~TempFolder() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", path_.c_str());
}

std::string oneBarOfMusic(int quarterMs) {
    const uint8_t drums = 9, highWoodBlock = 76;
    MidiScore score;
    score.ticksPerQuarter = 480;
    score.quartersPerBar = 4;
    score.tempo = {{0, static_cast<uint32_t>(quarterMs * 1000)}};
    score.endTick = 4 * 480;
    score.parts = {{drums, 0, 127, 64, {{0, 96, highWoodBlock, 127}}}};
    return score.fileBytes();
}

std::string currentFolder() {
    char path[4096];
    return getcwd(path, sizeof path) ? path : "";
}

EnterFolder::EnterFolder(const std::string& path) : home_(currentFolder()) {
    if (chdir(path.c_str()) != 0) throw std::runtime_error("cannot enter " + path);
}

EnterFolder::~EnterFolder() {
    if (chdir(home_.c_str()) != 0) std::fprintf(stderr, "cannot return to %s\n", home_.c_str());
}

EnvironmentVariable::EnvironmentVariable(const std::string& name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name.c_str())) old_ = old;
    if (value)
        setenv(name.c_str(), value, 1);
    else
        unsetenv(name.c_str());
}

EnvironmentVariable::~EnvironmentVariable() {
    if (old_)
        setenv(name_.c_str(), old_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

namespace {

// Every player the tests run reads its settings from a folder that holds none, so that the settings of
// whoever runs them change nothing, and keeps its own files (what was read, quick bookmarks) in a folder
// of the suite's rather than in their home; a test that gives settings sets XDG_CONFIG_HOME to its own
// folder.
class NoReaderSettings : public testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<TempFolder>();
        // Open to every user: a player run as another one finds no settings, rather than a folder it may
        // not look into.
        chmod(folder_->path().c_str(), 0755);
        config_ = std::make_unique<EnvironmentVariable>("XDG_CONFIG_HOME", folder_->path().c_str());
        data_ = std::make_unique<EnvironmentVariable>("XDG_DATA_HOME", folder_->path().c_str());
    }
    void TearDown() override {
        data_.reset();
        config_.reset();
        folder_.reset();
    }

private:
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<EnvironmentVariable> config_;
    std::unique_ptr<EnvironmentVariable> data_;
};

testing::Environment* const kNoReaderSettings = testing::AddGlobalTestEnvironment(new NoReaderSettings);

}  // namespace

void TempFolder::writeGame(const std::string& utf8Script) const {
    writeGameFolder("game", utf8Script);
    writeFile(file("start.dat"), "game story.zeb\n");
}

void TempFolder::writeGameFolder(const std::string& folder, const std::string& utf8Script) const {
    mkdir(file(folder).c_str(), 0755);
    writeFile(file(folder + "/story.zeb"), toSjis(utf8Script));
}

void TempFolder::copyDemoPictures() const {
    for (const char* name :
         {"hill.bmp", "sunset.bmp", "room.bmp", "sakura.bmp", "kaede.bmp", "petal.bmp", "night.bmp"}) {
        writeFile(file(std::string("game/") + name),
                  readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/" + name));
    }
}

void TempFolder::copyDemoGame(const std::string& game) const {
    std::string copy = "cp -r '" + std::string(ZEBORA_SOURCE_DIR) + "/games/" + game + "' '" + path_ + "/'";
    if (std::system(copy.c_str()) != 0) throw std::runtime_error("cannot copy " + game);
    writeFile(file("start.dat"), game + " story.zeb\n");
}

namespace {

RunResult runPlayer(const std::string& prefix, const TempFolder& files, const std::string& arguments,
                    const std::string& reader) {
    std::string command = prefix + std::string(ZEBORA_BINARY) + " --headless " + arguments + " --trace '" +
                          files.file("trace.txt") + "' --transcript '" + files.file("transcript.txt") + "'";
    if (!reader.empty()) {
        writeFile(files.file("reader.txt"), reader);
        command += " --reader '" + files.file("reader.txt") + "' --shots '" + files.path() + "'";
    }
    command += " 2> '" + files.file("stderr.txt") + "' > /dev/null";
    RunResult result;
    int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.errors = readFile(files.file("stderr.txt"));
    result.trace = readFile(files.file("trace.txt"));
    result.transcript = readFile(files.file("transcript.txt"));
    return result;
}

}  // namespace

RunResult runHeadless(const TempFolder& root, const std::string& reader, const std::string& shell) {
    return runPlayer(shell, root, "--root '" + root.path() + "'", reader);
}

RunResult runPlayerFrom(const std::string& start, const TempFolder& files, const std::string& arguments,
                        const std::string& reader) {
    return runPlayer("cd '" + start + "' && ", files, arguments, reader);
}

RunResult runScript(const std::string& utf8Script, const std::string& reader) {
    TempFolder root;
    root.writeGame(utf8Script);
    return runHeadless(root, reader);
}

std::string shotAfter(const std::string& utf8Script, int ms) {
    TempFolder root;
    root.writeGame(utf8Script);
    runHeadless(root, "wait " + std::to_string(ms) + "\nshot after\n");
    std::string png = readFile(root.file("after.png"));
    if (png.empty()) throw std::runtime_error("no shot of " + utf8Script);
    return png;
}

std::string fatalLine(const std::string& utf8Message) {
    return "エラーが発生したらしい(^^;: " + utf8Message + "\n";
}

std::string unknownCommand(const std::string& name) {
    return fatalLine("指定された関数が見つかりません[" + name + "]");
}

void useHeadlessWindowSystem() {
    if (g_windowSystem) return;
    PlatformOptions options;
    options.headless = true;
    g_windowSystem = createWindowSystem(options);
}

void openHeadlessDisplay(int fullScreen) {
    useHeadlessWindowSystem();
    g_fullScreen = fullScreen;
    g_display.open();
}

uint8_t& pixelAt(int slot, int x, int y) {
    return g_display.pixels[slot][y * g_display.pitch[slot] + x];
}

std::vector<int> pixelsAt(int slot, std::initializer_list<std::pair<int, int>> points) {
    std::vector<int> values;
    for (const auto& point : points)
        values.push_back(pixelAt(slot, point.first, point.second));
    return values;
}
