// Every way out of the program: the platform goes down in order, and Pause ends a game at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "shell/shell.h"
#include "test_support.h"

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
    void setTitle(const char*) override {}
    void showNotice(const char*) override {}
    void setModeMark(const char*) override {}
    void setClipboardText(const char*) override {}
    void setFullScreen(bool) override {}
    bool fullScreen() const override { return true; }
    void setScaling(ScaleFilter, bool) override {}
    void setVolumes(int, int) override {}
    bool padAttached() const override { return false; }
    void setScreenSource(const ScreenSource&) override {}
    SoundDevice& soundDevice() override { std::abort(); }
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
