// A game controller and a touch screen through the headless reader: every button does what its mouse
// button or key does, A picks the highlighted line of a menu whatever lies under the pointer, and a
// bookmark is saved and loaded with the controller alone. And the watcher that wakes the real window
// when a controller has news.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "golden.h"
#include "platform/window/private/pad_watcher.h"
#include "shot_pictures.h"
#include "test_support.h"
#include "x_display.h"

namespace {

// Two pages over a picture, then a wait that only Ctrl cuts short.
const char kPages[] = "@plload(hill.bmp);@bgload(hill.bmp,0,0);一\\p二\\c@wait(100000);@after();";
const char kChoice[] = "@select(2,はい,yes,いいえ,no);@name(yes);@yes();@name(no);@no();";

// Settings and the record of what was read stay in the root, so that each run starts from none.
RunResult runWith(const TempFolder& root, const std::string& script, const std::string& actions) {
    root.writeGame(script);
    root.copyDemoPictures();
    std::string home = "'" + root.file("home") + "' ";
    return runHeadless(root, actions + "\nwait 1500\nshot after\n",
                       "XDG_CONFIG_HOME=" + home + "XDG_DATA_HOME=" + home);
}

}  // namespace

// Each row: what the controller does, and what the mouse or the keyboard does for the same; the two
// readers see the same screen and the same trace, and the game goes the same way. The second page's
// wait comes first, so that Up has a page to go back to.
TEST(GamePad, EveryButtonDoesWhatItsMouseButtonOrKeyDoes) {
    const struct {
        const char* script;
        const char* pad;
        const char* same;
    } rows[] = {
        {kPages, "pad a", "click 5 5"},
        {kPages, "pad b", "rclick 5 5"},
        {kPages, "pad x", "key space"},
        {kPages, "pad up", "key up"},
        {kPages, "pad down", "key down"},
        {kPages, "pad lb", "key tab"},
        {kPages, "pad back", "key a"},
        {kPages, "pad start", "key escape"},
        {kPages, "pad a\nwait 300\npad rb", "click 5 5\nwait 300\nkey ctrl"},
        {kPages,
         "pad y\nwait 300\npad down\nwait 100\npad down\nwait 100\npad down\nwait 100\npad a\nwait 100\n"
         "pad left\nwait 100\npad right\nwait 100\npad b",
         "key f1\nwait 300\nkey down\nwait 100\nkey down\nwait 100\nkey down\nwait 100\nkey return\nwait "
         "100\n"
         "key left\nwait 100\nkey right\nwait 100\nrclick 5 5"},
        // A tap is a click where it lands: on the system menu's second line, the save menu.
        {kPages, "pad b\nwait 1500\ntap 260 200", "rclick 5 5\nwait 1500\nclick 260 200"},
        // A picks the lit line, not the line under the pointer.
        {kChoice, "move 30 25\nwait 100\npad down\nwait 100\npad a",
         "move 30 25\nwait 100\nkey down\nwait 100\nkey return"},
    };
    for (const auto& row : rows) {
        TempFolder pad, same;
        std::string toTheWait = row.script == kPages ? "wait 3000\nclick 5 5\nwait 2000\n" : "wait 3000\n";
        RunResult byPad = runWith(pad, row.script, toTheWait + row.pad);
        RunResult bySame = runWith(same, row.script, toTheWait + row.same);
        EXPECT_EQ(byPad.errors, bySame.errors) << row.pad;
        EXPECT_EQ(byPad.trace, bySame.trace) << row.pad;
        EXPECT_EQ(readFile(pad.file("after.png")), readFile(same.file("after.png"))) << row.pad;
    }
}

// B opens the system menu, Down moves to its save line and A picks it, and again in the bookmark list;
// later Start opens the menu, and Down and A load the bookmark back. The settings page (Y) shows the
// controller's buttons.
TEST(GamePad, ABookmarkIsSavedAndLoadedWithTheControllerAlone) {
    TempFolder root;
    const std::string down = "pad down\nwait 200\n", pick = "pad a\nwait 2000\n";
    RunResult run =
        runWith(root, kPages,
                "wait 3000\nshot before\npad b\nwait 1500\n" + down + down + pick + down + pick + pick +
                    "pad b\nwait 1500\n" + pick + "pad start\nwait 1500\n" + down + down + down + pick +
                    down + pick + down + pick + "shot loaded\npad y\nwait 500\nshot page\n");
    EXPECT_NE(run.trace.find("save 0: wait kind 1"), std::string::npos) << run.trace;
    EXPECT_NE(run.trace.find("load 0: wait kind 1"), std::string::npos) << run.trace;
    EXPECT_TRUE(sameButTheCursor(shot(root, "loaded"), shot(root, "before"), kPageCursor));
    expectShotGolden("settings-page-pad", root.file("page.png"));
}

// The watcher wakes the window once for what a device had to say, then waits for more; a device it
// forgot wakes nothing.
TEST(PadWatcher, WakesTheWindowWhenAWatchedDeviceHasInput) {
    TempFolder folder;
    std::string path = folder.file("device");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::atomic<int> wakes{0};
    PadWatcher watcher([&wakes] { ++wakes; });
    watcher.watch(path);
    // A reader of the test's own keeps the pipe open once the watcher has closed its end.
    int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    int device = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_GE(device, 0);
    ASSERT_EQ(write(device, "news", 4), 4);
    EXPECT_TRUE(pollUntil([&wakes] { return wakes > 0; }, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(wakes, 1);
    watcher.forget(path);
    ASSERT_EQ(write(device, "more", 4), 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(wakes, 1);
    close(device);
    close(reader);
}
