// The real window under Xvfb, with and without a window manager, on screens larger than the
// picture: a click reaches what is drawn under it in full screen and in a window, F11 and Alt+Enter
// switch between the two, and F12 takes a screenshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/png_file.h"
#include "test_support.h"
#include "x_display.h"

namespace {

const int kQuitX = 58, kQuitY = 365;  // the middle of "終了" on the menu page
const int kWindowTimeoutMs = 10000;
const int kSwitchTimeoutMs = 5000;
const int kClickEveryMs = 500;
const int kQuitTimeoutMs = 30000;

enum Mode { FULL_SCREEN, IN_A_WINDOW };

// The player started on the display in a fresh working folder, with Ctrl held to fast-forward the
// logo and the fades; environment holds NAME=VALUE words for it.
struct Player {
    Player(const XDisplay& x, Mode mode, const std::vector<std::string>& environment = {})
        : display(x),
          process(command(mode, environment), x.name()),
          window(x.windowOf(process.pid(), kWindowTimeoutMs)) {
        // With the pointer inside, keys reach the window even when no window manager gives it the focus.
        display.xdotool("mousemove --window " + window + " 10 10 keydown ctrl");
    }

    std::vector<std::string> command(Mode mode, const std::vector<std::string>& environment) const {
        std::vector<std::string> words = {"env"};
        words.insert(words.end(), environment.begin(), environment.end());
        words.insert(words.end(), {ZEBORA_BINARY, "--root", root.path()});
        if (mode == IN_A_WINDOW) words.push_back("--window");
        return words;
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

    // Where the window shows picture pixel (x, y): the picture scaled to fit, centred.
    std::string shownAt(int x, int y) const {
        WindowGeometry now = display.geometry(window);
        double scale = std::min(now.width / 640.0, now.height / 480.0);
        int windowX = static_cast<int>((now.width - 640 * scale) / 2 + (x + 0.5) * scale);
        int windowY = static_cast<int>((now.height - 480 * scale) / 2 + (y + 0.5) * scale);
        return std::to_string(windowX) + " " + std::to_string(windowY);
    }

    const XDisplay& display;
    TempFolder root;
    ChildProcess process;
    std::string window;
};

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

TEST(RealWindow, UnderAWindowManagerAltEnterLeavesFullScreenForAWindowWhereClicksStillReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, true);
    ASSERT_EQ(display.failure(), "");
    Player player(display, FULL_SCREEN);
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(1280, 1024));
    display.xdotool("key alt+Return");
    EXPECT_TRUE(player.covers(640, 480));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

TEST(RealWindow, F11TurnsTheWindowIntoFullScreenWhereClicksStillReachWhatIsDrawn) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    Player player(display, IN_A_WINDOW);
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(640, 480));
    display.xdotool("key F11");
    EXPECT_TRUE(player.covers(1280, 1024));
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}

// F12 belongs to the window: the picture is in the pictures folder while the player goes on to the menu.
TEST(RealWindow, F12WritesTheScreenIntoThePicturesFolder) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(1280, 1024, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder pictures;
    Player player(display, IN_A_WINDOW, {"XDG_PICTURES_DIR=" + pictures.path()});
    ASSERT_NE(player.window, "");
    EXPECT_TRUE(player.covers(640, 480));
    display.xdotool("key F12");
    // The first file of the folder that reads whole as a picture.
    auto written = [&] {
        std::error_code none;
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        for (const auto& entry : std::filesystem::directory_iterator(pictures.file("Zebora"), none)) {
            if (readPng(entry.path().c_str(), rgb, width, height)) return entry.path().filename().string();
        }
        return std::string();
    };
    EXPECT_TRUE(pollUntil([&] { return !written().empty(); }, kSwitchTimeoutMs));
    EXPECT_EQ(written().rfind("zebora-", 0), 0u) << written();
    EXPECT_EQ(player.quitFromTheMenu(), 1);
}
