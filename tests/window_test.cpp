// The real window under Xvfb, with and without a window manager, on screens larger than the
// picture: a click reaches what is drawn under it in full screen and in a window of any size, F11 and
// Alt+Enter switch between the two, a resized or maximised window shows the picture as each filter
// scales it, F12 takes a screenshot, the window's own message boxes read in Japanese on a server
// without a single Japanese core font, and each wait's text is on the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "golden.h"
#include "platform/window/png_file.h"
#include "test_support.h"
#include "x_display.h"

namespace {

const int kQuitX = 58, kQuitY = 365;  // the middle of "終了" on the menu page
const int kWindowTimeoutMs = 10000;
const int kSwitchTimeoutMs = 10000;
const int kClickEveryMs = 500;
const int kQuitTimeoutMs = 30000;
const int kSettleMs = 1000;
const int kStillMs = 2500;  // longer than the logo stays still
const int kTapMs = 300;

enum Mode { FULL_SCREEN, IN_A_WINDOW };

// The player started on the display in a fresh working folder, with Ctrl held to fast-forward the
// logo and the fades; options are more words of its command line, environment holds NAME=VALUE
// words for it, shell a command line that the shell runs first. A script, when there is one, is
// played at once in the demo game's pictures; a demo game, when one is named, is played at once.
struct Player {
    Player(const XDisplay& x, Mode mode, const std::vector<std::string>& options = {},
           const std::vector<std::string>& environment = {}, const std::string& script = "",
           const std::string& shell = "", const std::string& demoGame = "")
        : display(x),
          wholeMultiples(std::find(options.begin(), options.end(), "--integer") != options.end()),
          process(command(mode, options, environment, script, shell, demoGame), x.name()),
          window(x.windowOf(process.pid(), kWindowTimeoutMs)) {
        // With the pointer inside, keys reach the window even when no window manager gives it the focus.
        display.xdotool("mousemove --window " + window + " 10 10 keydown ctrl");
    }

    std::vector<std::string> command(Mode mode, const std::vector<std::string>& options,
                                     const std::vector<std::string>& environment, const std::string& script,
                                     const std::string& shell, const std::string& demoGame) const {
        if (!script.empty()) {
            root.writeGame(script);
            root.copyDemoPictures();
        }
        if (!demoGame.empty()) {
            commandOutput("cp -r '" + std::string(ZEBORA_SOURCE_DIR) + "/games/" + demoGame + "' '" +
                          root.path() + "'");
            writeFile(root.file("start.dat"), demoGame + " story.zeb\n");
        }
        std::string exec = "exec \"$0\" \"$@\"";
        std::vector<std::string> words = {"sh", "-c", shell.empty() ? exec : shell + "; " + exec, "env"};
        words.insert(words.end(), environment.begin(), environment.end());
        words.insert(words.end(), {ZEBORA_BINARY, "--root", root.path()});
        if (mode == IN_A_WINDOW) words.push_back("--window");
        words.insert(words.end(), options.begin(), options.end());
        return words;
    }

    // The pointer settles first, so that a menu has drawn the line under it before the click.
    void clickAt(int x, int y, const char* button = "1") const {
        display.xdotool("mousemove --window " + window + " " + shownAt(x, y));
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs / 2));
        display.xdotool("click " + std::string(button));
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
    }

    // The picture the window shows, at 640×480 whatever its size, once a message box is on it and it
    // has stopped changing; empty if none comes within kSwitchTimeoutMs.
    std::vector<uint8_t> messageBox() const {
        std::vector<uint8_t> before, now;
        pollUntil(
            [&] {
                before = now;
                now = picture();
                return showsATitleBar(now) && now == before;
            },
            kSwitchTimeoutMs);
        return showsATitleBar(now) ? now : std::vector<uint8_t>();
    }

    // Every picture pixel is drawn as a whole square of window pixels when the window is a whole
    // multiple of the picture, as both windows here are.
    std::vector<uint8_t> picture() const {
        int width = 0, height = 0;
        std::vector<uint8_t> shown = display.grab(window, width, height), rgb;
        int scale = width / 640;
        if (scale < 1 || width != 640 * scale || height != 480 * scale) return rgb;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                size_t at = 3 * (static_cast<size_t>(y * scale) * width + x * scale);
                rgb.insert(rgb.end(), &shown[at], &shown[at + 3]);
            }
        }
        return rgb;
    }

    // The whole window once it has stayed the same for longer than the logo does: the title picture,
    // which waits for a click.
    std::vector<uint8_t> stillPicture(int& width, int& height) const {
        std::vector<uint8_t> last;
        auto since = std::chrono::steady_clock::now();
        pollUntil(
            [&] {
                std::vector<uint8_t> now = display.grab(window, width, height);
                if (now == last)
                    return std::chrono::steady_clock::now() - since > std::chrono::milliseconds(kStillMs);
                last = now;
                since = std::chrono::steady_clock::now();
                return false;
            },
            kQuitTimeoutMs);
        return last;
    }

    static bool showsATitleBar(const std::vector<uint8_t>& rgb) {
        for (size_t at = 0; at + 2 < rgb.size(); at += 3) {
            if (rgb[at] == 0 && rgb[at + 1] == 0 && rgb[at + 2] == 128) return true;
        }
        return false;
    }

    bool covers(int width, int height) const {
        return pollUntil(
            [&] {
                WindowGeometry now = display.geometry(window);
                return now.width == width && now.height == height;
            },
            kSwitchTimeoutMs);
    }

    // Clicks "終了" where the window shows it now, every half second, until the player quits: the
    // first clicks end the title picture, a later one reaches the menu page. The exit status; -1 if
    // the player still runs after kQuitTimeoutMs.
    int quitFromTheMenu() {
        int status = -1;
        pollUntil(
            [&] {
                display.xdotool("mousemove --window " + window + " " + shownAt(kQuitX, kQuitY) + " click 1");
                status = process.waitForExit(kClickEveryMs);
                return status != -1;
            },
            kQuitTimeoutMs);
        return status;
    }

    // Where the window shows picture pixel (x, y): the picture scaled to fit, by a whole multiple when
    // asked, centred.
    std::string shownAt(int x, int y) const {
        WindowGeometry now = display.geometry(window);
        double scale = std::min(now.width / 640.0, now.height / 480.0);
        if (wholeMultiples) scale = std::max(1.0, std::floor(scale));
        int windowX = static_cast<int>((now.width - 640 * scale) / 2 + (x + 0.5) * scale);
        int windowY = static_cast<int>((now.height - 480 * scale) / 2 + (y + 0.5) * scale);
        return std::to_string(windowX) + " " + std::to_string(windowY);
    }

    const XDisplay& display;
    bool wholeMultiples;
    TempFolder root;
    ChildProcess process;
    std::string window;
};

// The game controller and the touch screen that the player makes for the tests (ZEBORA_TEST_INPUT):
// they act what is written to the file as the player goes.
struct VirtualDevices {
    VirtualDevices() { writeFile(input, ""); }
    std::string environment() const { return "ZEBORA_TEST_INPUT=" + input; }
    void act(const std::string& lines) const { std::ofstream(input, std::ios::app) << lines; }
    void press(const std::string& button) const { act("press " + button + "\nrelease " + button + "\n"); }
    // A finger at picture pixel (x, y), as the player shows it.
    void finger(const Player& player, const std::string& what, int id, int x, int y) const {
        act("finger " + what + " " + std::to_string(id) + " " + player.shownAt(x, y) + "\n");
    }
    // As a reader taps: the finger rests a little, long enough for a wait to see it land.
    void tap(const Player& player, int x, int y) const {
        finger(player, "down", 0, x, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(kTapMs));
        finger(player, "up", 0, x, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
    }

    TempFolder files;
    std::string input = files.file("input");
    std::string transcript = files.file("transcript");
};

// Whether the transcript holds the text so many times, within a while.
bool transcriptReaches(const VirtualDevices& devices, const std::string& text, int times = 1) {
    return pollUntil(
        [&] {
            std::string written = readFile(devices.transcript);
            int found = 0;
            for (size_t at = written.find(text); at != std::string::npos; at = written.find(text, at + 1))
                ++found;
            return found >= times;
        },
        kSwitchTimeoutMs);
}

}  // namespace

TEST(RealWindow, FullScreenWithoutAWindowManagerCoversTheScreenAndClicksReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1920, 1080, false);
    ASSERT_EQ(display.failure(), "");
    Player player(display, FULL_SCREEN);
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(1920, 1080));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// Out of full screen, the window is the largest whole multiple of the picture that takes no more than
// three quarters of the desktop: twice the picture on 1920×1080.
TEST(RealWindow, UnderAWindowManagerAltEnterLeavesFullScreenForAWindowWhereClicksStillReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1920, 1080, true);
    ASSERT_EQ(display.failure(), "");
    Player player(display, FULL_SCREEN);
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(1920, 1080));
    display.xdotool("key alt+Return");
    EXPECT_TRUE(player.covers(1280, 960));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// --scale chooses the window's size, larger than the desktop would, and the window comes back to it.
TEST(RealWindow, F11SwitchesTheWindowOfTheScaleAskedForToFullScreenAndBackWhereClicksStillReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    Player player(display, IN_A_WINDOW, {"--scale", "2"});
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(1280, 960));
    display.xdotool("key F11");
    EXPECT_TRUE(player.covers(1280, 1024));
    display.xdotool("key F11");
    EXPECT_TRUE(player.covers(1280, 960));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// The picture 2.25 times its size: nearest neighbour draws its pixels two or three window pixels
// wide, sharp makes them all twice as wide with a blended edge between, smooth blends them all.
TEST(RealWindow, AWindowResizedWithoutAWindowManagerShowsThePictureAsEachFilterScalesIt) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    for (std::string filter : {"sharp", "nearest", "smooth"}) {
        XDisplay display(1920, 1080, false);
        ASSERT_EQ(display.failure(), "");
        Player player(display, IN_A_WINDOW, {"--filter", filter});
        ASSERT_NE(player.window, "");
        EXPECT_TRUE(player.covers(1280, 960));
        display.xdotool("windowmove " + player.window + " 0 0 windowsize " + player.window + " 1440 1080");
        ASSERT_TRUE(player.covers(1440, 1080)) << filter;
        int width = 0, height = 0;
        std::vector<uint8_t> shown = player.stillPicture(width, height);
        expectGolden("window-1440x1080-" + filter, shown, width, height);
    }
}

// With whole multiples only, the maximised window shows the picture twice its size between wide bars,
// and a click lands where that picture is.
TEST(RealWindow, UnderAWindowManagerAMaximisedWindowKeepsToWholeMultiplesAndClicksStillReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(2560, 1440, true);
    ASSERT_EQ(display.failure(), "");
    Player player(display, IN_A_WINDOW, {"--integer"});
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(1280, 960));
    display.maximise(player.window);
    ASSERT_TRUE(pollUntil([&] { return display.geometry(player.window).width > 2400; }, kSwitchTimeoutMs));
    int width = 0, height = 0;
    std::vector<uint8_t> shown = player.stillPicture(width, height), picture;
    ASSERT_GE(height, 1200);
    for (int y = (height - 960) / 2; y < (height + 960) / 2; ++y) {
        auto row = shown.begin() + 3 * (static_cast<ptrdiff_t>(y) * width + (width - 1280) / 2);
        picture.insert(picture.end(), row, row + 3 * 1280);
    }
    expectGolden("window-maximised-twice", picture, 1280, 960);
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// F12 belongs to the window: the picture is in the pictures folder while the player goes on to the
// menu, and a notice says so over the picture for a moment, never in the screenshot itself.
TEST(RealWindow, F12WritesTheScreenIntoThePicturesFolderAndSaysSoForAMoment) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder pictures;
    Player player(display, IN_A_WINDOW, {}, {"XDG_PICTURES_DIR=" + pictures.path()});
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(640, 480));
    EXPECT_EQ(display.xdotool("getwindowname " + player.window), "Ｚｅｂｏｒａ\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * kSettleMs));  // on the still title picture
    display.xdotool("key F12");
    // The first file of the folder that reads whole as a picture.
    std::vector<uint8_t> screenshot;
    std::string name;
    auto written = [&] {
        std::error_code none;
        int width = 0, height = 0;
        for (const auto& entry : std::filesystem::directory_iterator(pictures.file("Zebora"), none)) {
            name = entry.path().filename().string();
            if (readPng(entry.path().c_str(), screenshot, width, height)) return true;
        }
        return false;
    };
    ASSERT_TRUE(pollUntil(written, kSwitchTimeoutMs));
    EXPECT_EQ(name.rfind("zebora-", 0), 0u) << name;
    // The notice darkens the top right corner of the picture, then goes, and the window shows the
    // screenshot's picture again.
    auto darkened = [&] {
        std::vector<uint8_t> shown = player.picture();
        size_t corner = 3 * (10 * 640 + 630);
        return !shown.empty() && shown[corner] < 64 && shown[corner + 1] < 64 && shown[corner + 2] < 64 &&
               shown != screenshot;
    };
    EXPECT_TRUE(pollUntil(darkened, kSettleMs));
    EXPECT_TRUE(pollUntil([&] { return player.picture() == screenshot; }, 2 * kSwitchTimeoutMs));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// A fatal error: the box over the last picture, the same in a window and in full screen, and the
// program ends when Return dismisses it.
TEST(RealWindow, AFatalErrorIsShownInTheWindowInJapaneseUntilAKeyDismissesIt) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    const std::string script = "@plload(hill.bmp);@bgload(hill.bmp,0,0);丘の上の桜が満開になった。@nosuch();";
    for (Mode mode : {IN_A_WINDOW, FULL_SCREEN}) {
        XDisplay display(1280, 960, false);
        ASSERT_EQ(display.failure(), "");
        Player player(display, mode, {}, {}, script);
        ASSERT_NE(player.window, "");
        std::vector<uint8_t> shown = player.messageBox();
        ASSERT_FALSE(shown.empty()) << "mode " << mode;
        expectGolden("message-box-fatal", shown, 640, 480);
        display.xdotool("key Return");
        EXPECT_EQ(player.process.waitForExit(kSwitchTimeoutMs), 1);
    }
}

// A save that cannot be written (the files the player may write are kept under 50 KB, as on a full
// disk): the box over the bookmark list, Escape dismisses it and the game goes on.
TEST(RealWindow, ASaveThatFailsSaysSoInTheWindowAndTheGameGoesOnWhenEscapeDismissesIt) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    Player player(display, IN_A_WINDOW, {}, {},
                  "@plload(hill.bmp);@bgload(hill.bmp,0,0);丘の上。\\c@wait(100000);",
                  "ulimit -f 100; trap '' XFSZ");
    ASSERT_NE(player.window, "");
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * kSettleMs));  // at the click wait
    player.clickAt(5, 5, "3");
    player.clickAt(250, 200);
    player.clickAt(300, 100);
    std::vector<uint8_t> shown = player.messageBox();
    ASSERT_FALSE(shown.empty());
    expectGolden("message-box-save", shown, 640, 480);
    display.xdotool("key Escape");
    EXPECT_TRUE(pollUntil([&] { return !Player::showsATitleBar(player.picture()); }, kSwitchTimeoutMs));
    EXPECT_EQ(player.process.waitForExit(kSettleMs), -1);
    display.xdotool("key Pause");
    EXPECT_EQ(player.process.waitForExit(kSwitchTimeoutMs), 1);
}

// 夕暮れのおみくじ read in the window with a game controller alone, plugged in while the player runs:
// the right shoulder held fast-forwards, A goes on at every wait, Down and A pick the first choice,
// and it reads as the mouse and the keyboard read it. Meanwhile the right stick moves the pointer, and
// the controller pulled out and plugged in again changes nothing else.
TEST(RealWindow, ADemoGameReadsToItsEndWithAGameControllerAlone) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    VirtualDevices pad;
    Player player(display, IN_A_WINDOW, {"--transcript", pad.transcript}, {pad.environment()}, "", "",
                  "omikuji");
    ASSERT_NE(player.window, "");
    display.xdotool("keyup ctrl");
    pad.act("plug\npress rightshoulder\n");
    ASSERT_TRUE(transcriptReaches(pad, "引いてみる"));
    auto pointerX = [&] { return std::stoi(display.xdotool("getmouselocation").substr(2)); };
    int before = pointerX();
    pad.act("axis rightx 32767\n");
    EXPECT_TRUE(pollUntil([&] { return pointerX() > before + 100; }, kSwitchTimeoutMs));
    pad.act("axis rightx 0\n");
    const struct {
        const char* text;
        int times;
        const char* buttons;
    } steps[] = {{"引いてみる", 1, "a"},        {"一本の棒", 1, "a"}, {"小吉", 1, "a"}, {"あと何回", 1, "a"},
                 {"やめておく", 1, "dpdown a"}, {"一本の棒", 2, "a"}, {"中吉", 1, "a"}, {"明日も", 1, "a"}};
    for (const auto& step : steps) {
        ASSERT_TRUE(transcriptReaches(pad, step.text, step.times)) << step.text;
        std::istringstream buttons(step.buttons);
        for (std::string button; buttons >> button;)
            pad.press(button);
        if (step.times == 2) pad.act("unplug\nplug\npress rightshoulder\n");
    }
    EXPECT_EQ(player.process.waitForExit(kQuitTimeoutMs), 1);
    expectGoldenText("demo-omikuji", readFile(pad.transcript));
}

// A touch screen, told to SDL as a real one is, with the mouse events that SDL makes of it, which
// click no second time: a tap goes on, a finger that rests hides the text until a tap, a swipe down
// shows the page before until a tap, and a tap of two fingers opens the system menu, where taps on
// its lines save a bookmark.
TEST(RealWindow, ATouchScreenReadsOnHidesTheTextShowsThePageBeforeAndSaves) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    VirtualDevices screen;
    Player player(display, IN_A_WINDOW,
                  {"--transcript", screen.transcript, "--trace", screen.files.file("trace")},
                  {screen.environment()}, "@plload(hill.bmp);@bgload(hill.bmp,0,0);一\\p二\\c三\\c@after();");
    ASSERT_NE(player.window, "");
    ASSERT_TRUE(transcriptReaches(screen, "一"));
    screen.tap(player, 320, 240);
    ASSERT_TRUE(transcriptReaches(screen, "二"));
    std::vector<uint8_t> waiting = player.picture();
    ASSERT_FALSE(waiting.empty());
    EXPECT_EQ(readFile(screen.transcript).find("三"), std::string::npos);
    // The text hidden, the picture is at full brightness.
    const size_t grass = 3 * (400 * 640 + 320);
    screen.finger(player, "down", 0, 320, 240);
    EXPECT_TRUE(pollUntil([&] { return player.picture()[grass] > waiting[grass]; }, kSwitchTimeoutMs));
    screen.finger(player, "up", 0, 320, 240);
    screen.tap(player, 320, 240);
    EXPECT_EQ(player.picture()[grass], waiting[grass]);
    // The first character of the page: 一 of the page before, then 二 again.
    auto firstCharacter = [&player] {
        std::vector<uint8_t> shown = player.picture(), part;
        for (int y = 16; y < 42; ++y)
            part.insert(part.end(), shown.begin() + 3 * (y * 640 + 16), shown.begin() + 3 * (y * 640 + 40));
        return part;
    };
    std::vector<uint8_t> second = firstCharacter();
    screen.finger(player, "down", 0, 320, 150);
    screen.finger(player, "motion", 0, 320, 300);
    screen.finger(player, "up", 0, 320, 300);
    EXPECT_TRUE(pollUntil([&] { return firstCharacter() != second; }, kSwitchTimeoutMs));
    screen.tap(player, 320, 240);
    EXPECT_EQ(firstCharacter(), second);
    // Two fingers: the system menu; its セーブ line, the first bookmark, and a tap past the word that
    // it was saved.
    screen.finger(player, "down", 0, 300, 240);
    screen.finger(player, "down", 1, 340, 240);
    screen.finger(player, "up", 1, 340, 240);
    screen.finger(player, "up", 0, 300, 240);
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
    screen.tap(player, 260, 200);
    screen.tap(player, 300, 100);
    EXPECT_TRUE(pollUntil(
        [&] { return readFile(screen.files.file("trace")).find("save 0: wait kind 0") != std::string::npos; },
        kSwitchTimeoutMs));
    display.xdotool("key Pause");
    EXPECT_EQ(player.process.waitForExit(kSwitchTimeoutMs), 1);
}

// A dictionary tool reads the clipboard with xclip at each wait: the line typed, then the line typed
// before a menu with the menu's lines. Nothing else puts anything there.
TEST(RealWindow, EachWaitsTextIsOnTheClipboardWhenItsWaitBegins) {
    if (!xToolsInstalled() || !xclipInstalled()) GTEST_SKIP() << "Xvfb, xdotool and xclip are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    Player player(display, IN_A_WINDOW, {"--text-out", "clipboard"}, {},
                  "@plload(hill.bmp);@bgload(hill.bmp,0,0);丘の上の桜が満開になった。\\c風が吹いた。"
                  "@select(2,見に行く,a,帰る,b);\n@name(a);\n@name(b);\n");
    ASSERT_NE(player.window, "");
    auto holds = [&](const std::string& text) {
        return pollUntil([&] { return display.clipboard() == text; }, kSwitchTimeoutMs);
    };
    EXPECT_TRUE(holds("丘の上の桜が満開になった。")) << display.clipboard();
    player.clickAt(300, 300);
    EXPECT_TRUE(holds("風が吹いた。\n見に行く\n帰る")) << display.clipboard();
}

// A game folder dragged from a file manager onto the page (the drop is ignored until the page shows)
// plays at once.
TEST(RealWindow, AGameFolderDroppedOntoThePagePlaysAtOnce) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder shelf, data;
    shelf.copyDemoGame("omikuji");
    Player player(display, IN_A_WINDOW, {}, {"XDG_DATA_HOME=" + data.path()});
    ASSERT_NE(player.window, "");
    auto playing = [&] {
        return display.xdotool("getwindowname " + player.window) == "夕暮れのおみくじ - Ｚｅｂｏｒａ\n";
    };
    EXPECT_TRUE(pollUntil(
        [&] {
            player.clickAt(5, 5);
            display.drop(player.window, 300, 200, shelf.file("omikuji"), kSwitchTimeoutMs);
            return pollUntil(playing, 2 * kSettleMs);
        },
        kQuitTimeoutMs));
    display.xdotool("key Pause");
    EXPECT_EQ(player.process.waitForExit(kSwitchTimeoutMs), 1);
}
