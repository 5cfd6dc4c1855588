// The settings page (F1) through the headless reader: opened at a wait, changed with keys and with
// clicks, each change taken at once and written into the settings file among the reader's own lines,
// and closed onto the wait exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "golden.h"
#include "mono_sound.h"
#include "shot_pictures.h"
#include "test_support.h"

TEST(SettingsPage, ChangesTakeEffectAtOnceGoIntoTheSettingsFileAndTheWaitComesBack) {
    TempFolder root, config;
    root.writeGame(
        "@plload(hill.bmp);@bgload(hill.bmp,0,0);丘の上。\\c風が吹いた。\\c@sound(tone.wav,0,0,0);@after();");
    root.copyDemoPictures();
    writeFile(root.file("game/tone.wav"), MonoSound{22050, 16, {0.1, 0.2, 0.3}}.waveBytes());
    mkdir(config.file("zebora").c_str(), 0755);
    writeFile(config.file("zebora/zebora.conf"), "# mine\nsound-volume = 40\n# keep me\n");
    // Down lights the first line and again the second, the sounds' volume: Left lowers it a step. Four
    // more lines down is the text's speed: Right goes from normal to fast. A click on the skip line's
    // value turns it to all. Three lines down is the text output: Right chooses the clipboard, which
    // the next wait's text goes to. Escape closes.
    const std::string reader =
        "wait 3000\nshot before\nkey f1\nwait 500\nshot page\n"
        "key down\nwait 100\nkey down\nwait 100\nkey left\nwait 100\n"
        "key down\nwait 100\nkey down\nwait 100\nkey right\nwait 100\n"
        "click 450 259\nwait 300\nkey down\nwait 100\nkey down\nwait 100\nkey down\nwait 100\nkey right\n"
        "wait 100\nkey escape\nwait 500\nshot after\nclick 5 5\nwait 2000\nclick 5 5\nwait 2000\n";
    RunResult run = runHeadless(root, reader, "XDG_CONFIG_HOME='" + config.path() + "' ");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    for (const char* line :
         {"setting sound-volume = 30", "setting text-speed = fast", "setting skip = all",
          "setting text-out = clipboard", "clipboard 風が吹いた。", "wave play 0: once, gains 0.300 0.300"})
        EXPECT_NE(run.trace.find(line), std::string::npos) << line << "\n" << run.trace;
    EXPECT_EQ(readFile(config.file("zebora/zebora.conf")),
              "# mine\nsound-volume = 30\n# keep me\ntext-speed = fast\nskip = all\ntext-out = clipboard\n");
    expectShotGolden("settings-page", root.file("page.png"));
    EXPECT_TRUE(sameButTheCursor(shot(root, "after"), shot(root, "before"), kClickCursor));
}

// In a menu of the engine and on the game-selection page alike: F1 opens the page over it and Escape
// gives the menu back as it was; the selection page shows the key in its corner.
TEST(SettingsPage, OpensOverTheMenusAndGivesThemBack) {
    TempFolder root;
    root.writeGame("一\\c@after();");
    RunResult menu = runHeadless(root,
                                 "wait 3000\nrclick 5 5\nwait 1500\nshot menu\nkey f1\nwait 300\nkey escape\n"
                                 "wait 300\nshot back\n");
    EXPECT_NE(menu.trace.find("settings page closed"), std::string::npos) << menu.trace;
    EXPECT_EQ(readFile(root.file("back.png")), readFile(root.file("menu.png")));
    unlink(root.file("start.dat").c_str());
    RunResult page = runHeadless(root,
                                 "wait 11000\nclick 5 5\nwait 2000\nshot page\nkey f1\nwait 300\nrclick 5 5\n"
                                 "wait 300\nshot back\n");
    EXPECT_NE(page.trace.find("mark F1 設定"), std::string::npos) << page.trace;
    EXPECT_NE(page.trace.find("settings page closed"), std::string::npos) << page.trace;
    EXPECT_EQ(readFile(root.file("back.png")), readFile(root.file("page.png")));
}
