// The window procedure, the pump and the waits, on the headless window system's virtual clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "shell/shell.h"
#include "test_support.h"

namespace {

void send(uint32_t message, uint32_t wParam, uint32_t lParam = 0) {
    mainWindowProc({message, wParam, lParam});
}

class Waits : public ::testing::Test {
protected:
    void SetUp() override {
        useHeadlessWindowSystem();
        send(WM_KEYUP, VK_CONTROL);
    }
};

}  // namespace

TEST_F(Waits, WaitSinceMarkPumpsOnceForZeroEvenWhenTheMarkLiesInThePast) {
    markTime();
    waitSinceMark(20);
    uint32_t before = timeGetTime();
    waitSinceMark(0);
    EXPECT_EQ(timeGetTime(), before + 1);
}

TEST_F(Waits, TimedWaitsLastTheirTimeOnTheVirtualClock) {
    markTime();
    uint32_t start = g_markTime;
    waitSinceMark(150);
    EXPECT_EQ(timeGetTime() - start, 150u);
    start = getTickCount();
    sleepMs(2000);
    EXPECT_EQ(getTickCount() - start, 2000u);
}

TEST_F(Waits, HoldingCtrlEndsEveryTimedWaitAfterOnePump) {
    send(WM_KEYDOWN, VK_CONTROL);
    EXPECT_EQ(g_ctrlUp, 0);
    uint32_t start = timeGetTime();
    markTime();
    waitSinceMark(5000);
    sleepMs(5000);
    EXPECT_EQ(timeGetTime() - start, 2u);
    send(WM_KEYUP, VK_CONTROL);
    EXPECT_EQ(g_ctrlUp, 1);
}

TEST_F(Waits, AWaitWhoseEndWrapsBelowItsStartEndsAfterOnePump) {
    uint32_t start = getTickCount();
    sleepMs(static_cast<uint32_t>(-1));
    EXPECT_EQ(getTickCount() - start, 1u);
}

TEST(WindowProcedure, RecordsInput) {
    send(WM_MOUSEMOVE, 0, 639u | 479u << 16);
    EXPECT_EQ(g_mouseX, 639);
    EXPECT_EQ(g_mouseY, 479);
    send(WM_LBUTTONDOWN, 0);
    send(WM_RBUTTONDOWN, 0);
    EXPECT_EQ(g_leftClicked, 1);
    EXPECT_EQ(g_rightClicked, 1);
    send(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(g_keyDown[VK_SPACE], 1);
    send(WM_KEYDOWN, 'A');
    send(WM_KEYUP, 'A');
    EXPECT_EQ(g_keyDown['A'], 0);
    // A Space tap stays recorded until a wait consumes it.
    send(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(g_keyDown[VK_SPACE], 1);
    g_keyDown[VK_SPACE] = 0;
    // Codes of 200 and above are not recorded (and never index past the table).
    send(WM_KEYDOWN, 250);
    send(WM_KEYDOWN, 0xFFFFFFFF);
    EXPECT_EQ(mainWindowProc({12345, 0, 0}), 0);
}

TEST(WindowProcedure, PauseAndTheCloseButtonQuitAtOnce) {
    EXPECT_EXIT(send(WM_KEYDOWN, VK_PAUSE), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(send(WM_CLOSE, 0), ::testing::ExitedWithCode(1), "");
}

namespace {

// A window system that tells on stderr when its message box shows and when it goes down.
class TellingWindowSystem : public WindowSystem {
public:
    ~TellingWindowSystem() override { std::fputs("platform down\n", stderr); }
    bool openWindow(const char*) override { return true; }
    void pumpEvents() override {}
    bool takeMessage(WindowMessage&) override { return false; }
    uint32_t milliseconds() override { return 0; }
    void idleUntil(uint32_t) override {}
    void idleForInput() override {}
    void showMessageBox(const char*, const char*) override { std::fputs("message box\n", stderr); }
    void setScreenSource(const ScreenSource&) override {}
};

[[noreturn]] void endWith(void (*end)()) {
    g_windowSystem = new TellingWindowSystem;
    std::atexit([] { std::fputs("exit clean-up\n", stderr); });
    end();
    std::abort();
}

}  // namespace

TEST(ProgramExit, ThePlatformGoesDownAfterTheMessageBoxAndBeforeTheExitCleanUp) {
    EXPECT_EXIT(endWith([] { fatalError("x"); }), ::testing::ExitedWithCode(1),
                "message box\nplatform down\nexit clean-up\n$");
    EXPECT_EXIT(endWith([] { quitProgram(); }), ::testing::ExitedWithCode(1),
                "^platform down\nexit clean-up\n$");
}

TEST(WindowProcedure, PauseEndsTheProgramInTheMiddleOfAWait) {
    RunResult run = runScript("@wait(100000);@after();", "wait 500\nkey pause\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
}
