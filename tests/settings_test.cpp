// The reader's settings file and the command line over it: what each line gives, what a broken line
// says, and which source wins.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "mono_sound.h"
#include "shell/command_line.h"
#include "shell/options.h"
#include "shell/settings_file.h"
#include "test_support.h"

namespace {

// Writes FOLDER/zebora/zebora.conf, as XDG_CONFIG_HOME=FOLDER finds it; its path.
std::string writeSettings(const TempFolder& folder, const std::string& text) {
    mkdir(folder.file("zebora").c_str(), 0755);
    writeFile(folder.file("zebora/zebora.conf"), text);
    return folder.file("zebora/zebora.conf");
}

struct Parsed {
    CommandLineAction action;
    CommandLine line;
    std::string errors;
};

Parsed parse(std::vector<std::string> words) {
    words.insert(words.begin(), "zebora");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    Parsed parsed;
    testing::internal::CaptureStderr();
    parsed.action = parseCommandLine(static_cast<int>(argv.size()), argv.data(), parsed.line);
    parsed.errors = testing::internal::GetCapturedStderr();
    return parsed;
}

}  // namespace

TEST(SettingsFile, TakesItsGoodLinesAndNamesEveryBrokenOneByItsLine) {
    const struct {
        const char* line;
        const char* wrong;  // what stderr says of it, or null for a line that is taken or skipped
    } lines[] = {
        {"# the reader's own", nullptr},
        {"", nullptr},
        {"  window = Yes  \r", nullptr},
        {"soundfont = fonts/piano.sf2", nullptr},
        {"music-volume=30", nullptr},
        {"sound-volume = 101", "sound-volume must be a whole number from 0 to 100, not \"101\""},
        {"sound-volume = 70", nullptr},
        {"mute maybe", "expected \"key = value\", found \"mute maybe\""},
        {"volume = 5",
         "unknown key \"volume\" (the keys are window, soundfont, transcript, text-out, text-out-port, "
         "speak, music-volume, sound-volume, "
         "mute, scale, filter, integer, text-speed, auto-delay, skip)"},
        {" = 3", "no key before \"=\""},
        {"mute = perhaps", "mute must be yes or no (or true/false, 1/0), not \"perhaps\""},
        {"music-volume =", "music-volume must be a whole number from 0 to 100, not \"\""},
        {"transcript = read/story.txt", nullptr},
        {"text-speed = quick", "text-speed must be slow, normal, fast or instant, not \"quick\""},
        {"text-speed = fast", nullptr},
        {"auto-delay = 900", nullptr},
        {"auto-delay = 700000",
         "auto-delay must be a whole number of milliseconds from 0 to 600000, not \"700000\""},
        {"skip = all", nullptr},
    };
    TempFolder folder;
    std::string text, said;
    std::string path = folder.file("zebora/zebora.conf");
    for (size_t i = 0; i < sizeof lines / sizeof lines[0]; ++i) {
        text += std::string(lines[i].line) + (i + 1 < sizeof lines / sizeof lines[0] ? "\n" : "");
        if (lines[i].wrong)
            said += "zebora: " + path + ":" + std::to_string(i + 1) + ": " + lines[i].wrong + "\n";
    }
    writeSettings(folder, text);
    testing::internal::CaptureStderr();
    Settings settings = readSettingsFile(path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), said);
    EXPECT_EQ(settings.windowed, true);
    EXPECT_EQ(settings.soundFont, folder.file("zebora/fonts/piano.sf2"));
    EXPECT_EQ(settings.transcript, folder.file("zebora/read/story.txt"));
    EXPECT_EQ(settings.musicVolume, 30);
    EXPECT_EQ(settings.soundVolume, 70);
    EXPECT_EQ(settings.mute, std::nullopt);
    EXPECT_EQ(settings.textSpeed, static_cast<int>(TextSpeed::Fast));
    EXPECT_EQ(settings.autoDelayMs, 900);
    EXPECT_EQ(settings.skipUnread, true);
}

TEST(SettingsFile, AMissingFileSaysNothingAndAnUnreadableOneSaysSoOnce) {
    TempFolder folder;
    testing::internal::CaptureStderr();
    Settings missing = readSettingsFile(folder.file("zebora/zebora.conf"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(missing.windowed || missing.soundFont || missing.musicVolume || missing.soundVolume ||
                 missing.mute);
    // Permissions do not stop root, a folder in the file's place stops everyone.
    mkdir(folder.file("zebora").c_str(), 0755);
    mkdir(folder.file("zebora/zebora.conf").c_str(), 0755);
    testing::internal::CaptureStderr();
    readSettingsFile(folder.file("zebora/zebora.conf"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "zebora: " + folder.file("zebora/zebora.conf") +
                                                          ": cannot read the settings (Is a directory)\n");
}

// The file, under ZEBORA_SOUNDFONT, under the command line; with XDG_CONFIG_HOME empty the file is
// looked for in HOME.
TEST(CommandLine, OverridesTheEnvironmentWhichOverridesTheSettingsFile) {
    TempFolder config, home;
    EnvironmentVariable xdg("XDG_CONFIG_HOME", config.path().c_str());
    EnvironmentVariable font("ZEBORA_SOUNDFONT", nullptr);
    writeSettings(config, "window = yes\nmusic-volume = 30\nsound-volume = 40\nsoundfont = a.sf2\n");
    Parsed file = parse({});
    EXPECT_EQ(file.action, CommandLineAction::Run);
    EXPECT_EQ(file.errors, "");
    EXPECT_TRUE(file.line.platform.windowed);
    EXPECT_EQ(file.line.platform.musicVolume, 30);
    EXPECT_EQ(file.line.platform.soundVolume, 40);
    EXPECT_STREQ(file.line.platform.soundFont, config.file("zebora/a.sf2").c_str());
    Parsed options = parse({"--fullscreen", "--sound-volume", "0"});
    EXPECT_FALSE(options.line.platform.windowed);
    EXPECT_EQ(options.line.platform.musicVolume, 30);
    EXPECT_EQ(options.line.platform.soundVolume, 0);
    {
        EnvironmentVariable environment("ZEBORA_SOUNDFONT", "/env.sf2");
        EXPECT_STREQ(parse({}).line.platform.soundFont, "/env.sf2");
        EXPECT_STREQ(parse({"--soundfont", "b.sf2"}).line.platform.soundFont,
                     (currentFolder() + "/b.sf2").c_str());
    }
    Parsed muted = parse({"--music-volume", "100", "--mute"});
    EXPECT_EQ(muted.line.platform.musicVolume, 0);
    EXPECT_EQ(muted.line.platform.soundVolume, 0);
    EnvironmentVariable noXdg("XDG_CONFIG_HOME", "");
    EnvironmentVariable homeFolder("HOME", home.path().c_str());
    mkdir(home.file(".config").c_str(), 0755);
    mkdir(home.file(".config/zebora").c_str(), 0755);
    writeFile(home.file(".config/zebora/zebora.conf"), "mute = 1\n");
    Parsed fromHome = parse({"--window"});
    EXPECT_TRUE(fromHome.line.platform.windowed);
    EXPECT_EQ(fromHome.line.platform.musicVolume, 0);
    EXPECT_EQ(fromHome.line.platform.soundFont, nullptr);
}

TEST(CommandLine, RefusesAVolumeThatIsNotAWholeNumberFrom0To100) {
    for (const char* bad : {"101", "-1", "abc", "", "50%", "5 ", "1e2", "99999999999"}) {
        Parsed parsed = parse({"--headless", "--sound-volume", bad});
        EXPECT_EQ(parsed.action, CommandLineAction::Refuse) << bad;
        EXPECT_EQ(parsed.errors.rfind("zebora: --sound-volume takes a whole number from 0 to 100, not \"" +
                                          std::string(bad) + "\"\nusage: zebora",
                                      0),
                  0u)
            << parsed.errors;
    }
    EXPECT_EQ(parse({"--music-volume", "007"}).line.platform.musicVolume, 7);
}

// The player starts whatever the file says: a broken line is named on stderr, the good ones still count
// (the sound volume halves the gains the trace shows), and the game plays to its end.
TEST(Settings, ABrokenLineIsReportedAndTheGameStillPlaysWithTheRest) {
    TempFolder root;
    root.writeGame("@sound(tone.wav,0,0,0);@wait(100);@after();");
    writeFile(root.file("game/tone.wav"), MonoSound{22050, 16, {0.1, 0.2, 0.3, 0.2}}.waveBytes());
    std::string path = writeSettings(root, "sound-volume = 50\nwindow = maybe\n");
    EnvironmentVariable xdg("XDG_CONFIG_HOME", root.path().c_str());
    RunResult run = runHeadless(root, "");
    EXPECT_EQ(run.errors, "zebora: " + path +
                              ":2: window must be yes or no (or true/false, 1/0), not \"maybe\"\n" +
                              unknownCommand("after"));
    EXPECT_NE(run.trace.find("wave play 0: once, gains 0.500 0.500"), std::string::npos) << run.trace;
}

// The options are one table: the usage is made from it, and the README and the manual page name every
// option of it and every key of the settings file.
TEST(Options, TheUsageTheReadmeAndTheManualPageNameEveryOptionAndKey) {
    std::string readme = readFile(std::string(ZEBORA_SOURCE_DIR) + "/README.md");
    std::string manual = readFile(std::string(ZEBORA_SOURCE_DIR) + "/doc/zebora.6");
    auto roff = [](std::string name) {
        for (size_t at = 0; (at = name.find('-', at)) != std::string::npos; at += 2)
            name.insert(at, "\\");
        return name;
    };
    for (int i = 0; i < kOptionCount; ++i) {
        const OptionRow& row = kOptions[i];
        EXPECT_NE(std::string(usageText()).find(row.name), std::string::npos) << row.name;
        EXPECT_NE(readme.find(std::string("`") + row.name), std::string::npos)
            << row.name << " in the README";
        EXPECT_NE(manual.find(roff(row.name)), std::string::npos) << row.name << " in the manual page";
        if (!row.settingsKey) continue;
        EXPECT_NE(std::string(usageText()).find(row.settingsKey), std::string::npos) << row.settingsKey;
        EXPECT_NE(readme.find(std::string("`") + row.settingsKey), std::string::npos) << row.settingsKey;
        EXPECT_NE(manual.find(roff(row.settingsKey)), std::string::npos) << row.settingsKey;
    }
    // Every line of the usage fits a terminal of 100 columns, a column a character.
    std::istringstream usage(usageText());
    for (std::string line; std::getline(usage, line);)
        EXPECT_LE(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }), 100)
            << line;
}
