#include "engine/settings_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "engine/reading.h"
#include "platform/files/text_encoding.h"
#include "platform/headless/trace.h"
#include "platform/textout/text_outputs.h"
#include "shell/options.h"
#include "shell/settings_file.h"
#include "shell/shell.h"

ReaderChoices g_choices;

namespace {

enum Item { MUSIC, SOUND, MUTE, SPEED, AUTO, SKIP, SCREEN, FILTER, TEXT_OUT, CLOSE, kItemCount };

const char* const kLabels[kItemCount] = {"音楽の音量",       "効果音の音量", "ミュート", "文字の速さ",
                                         "オートの待ち時間", "スキップ",     "画面",     "拡大の方法",
                                         "テキスト出力",     "閉じる"};
const char* const kSpeeds[] = {"遅い", "普通", "速い", "瞬間"};
const char* const kSpeedWords[] = {"slow", "normal", "fast", "instant"};
const char* const kFilters[] = {"シャープ", "ニアレスト", "スムーズ"};
const char* const kFilterWords[] = {"sharp", "nearest", "smooth"};
// By the bits of the text outputs: the clipboard 1, the WebSocket 2.
const char* const kTextOutputs[] = {"なし", "クリップボード", "WebSocket", "両方"};

const int32_t kTitleX = 64, kTitleY = 20;
const int32_t kLabelX = 64, kFirstLineY = 64, kLineStep = 37;
const int32_t kLessX = 344, kValueX = 384, kMoreX = 560, kLineRight = 600;
// With a game controller attached, its buttons under the lines, in a smaller font.
const char* const kPadHelp[] = {"Ａ 決定　Ｂ 戻る　Ｘ 文字を消す　Ｙ 設定　START メニュー　十字キー 選ぶ",
                                "LB スキップ　RB 押したまま早送り　BACK オート　右スティック ポインタ"};
const int32_t kHelpY = 440, kHelpLineStep = 18, kHelpFontHeight = 16, kHelpFontWeight = 400, kHelpShadow = 1;
const int kVolumeStep = 10;
const int kAutoStepMs = 500;
const int kLongestAutoMs = 10000;

int32_t lineTop(int item) {
    return kFirstLineY + kLineStep * item;
}

// The line under the pointer; -1 for none.
int itemAt(int32_t x, int32_t y) {
    for (int item = 0; item < kItemCount; ++item) {
        if (x >= kLabelX - 16 && x < kLineRight && y >= lineTop(item) - 6 &&
            y < lineTop(item) + kLineStep - 6)
            return item;
    }
    return -1;
}

std::string valueText(int item) {
    char text[64] = "";
    switch (item) {
        case MUSIC:
        case SOUND:
            std::snprintf(text, sizeof text, "%d",
                          item == MUSIC ? g_choices.musicVolume : g_choices.soundVolume);
            break;
        case MUTE:
            return g_choices.mute ? "オン" : "オフ";
        case SPEED:
            return kSpeeds[static_cast<int>(g_reading.settings.speed)];
        case AUTO:
            std::snprintf(text, sizeof text, "%u.%u秒", g_reading.settings.autoDelayMs / 1000,
                          g_reading.settings.autoDelayMs % 1000 / 100);
            break;
        case SKIP:
            return g_reading.settings.skipUnread ? "すべて" : "既読のみ";
        case SCREEN:
            return g_windowSystem->fullScreen() ? "フルスクリーン" : "ウィンドウ";
        case FILTER:
            return kFilters[static_cast<int>(g_choices.filter)];
        case TEXT_OUT:
            return kTextOutputs[chosenTextOutputs()];
        default:
            break;
    }
    return text;
}

// The settings file takes each change at once; one that cannot be written is said once.
void keep(const char* key, const std::string& value) {
    static bool failureSaid = false;
    traceEvent("setting %s = %s", key, value.c_str());
    if (writeSetting(settingsFilePath(), key, value) || failureSaid) return;
    failureSaid = true;
    std::fprintf(stderr, "zebora: cannot write the settings file %s\n", settingsFilePath().c_str());
}

void applyVolumes() {
    g_windowSystem->setVolumes(g_choices.mute ? 0 : g_choices.musicVolume,
                               g_choices.mute ? 0 : g_choices.soundVolume);
}

int stepped(int value, int delta, int step, int highest) {
    return std::clamp(value + delta * step, 0, highest);
}

template <size_t count>
int cycled(int value, int delta, const char* const (&)[count]) {
    return (value + delta + static_cast<int>(count)) % static_cast<int>(count);
}

// delta: −1 for less, +1 for more; a switch turns either way.
void change(int item, int delta) {
    ReadingSettings& reading = g_reading.settings;
    switch (item) {
        case MUSIC:
            g_choices.musicVolume = stepped(g_choices.musicVolume, delta, kVolumeStep, kFullVolume);
            applyVolumes();
            keep("music-volume", std::to_string(g_choices.musicVolume));
            break;
        case SOUND:
            g_choices.soundVolume = stepped(g_choices.soundVolume, delta, kVolumeStep, kFullVolume);
            applyVolumes();
            keep("sound-volume", std::to_string(g_choices.soundVolume));
            break;
        case MUTE:
            g_choices.mute = !g_choices.mute;
            applyVolumes();
            keep("mute", g_choices.mute ? "yes" : "no");
            break;
        case SPEED:
            reading.speed =
                static_cast<TextSpeed>(cycled(static_cast<int>(reading.speed), delta, kSpeedWords));
            keep("text-speed", kSpeedWords[static_cast<int>(reading.speed)]);
            break;
        case AUTO:
            reading.autoDelayMs = static_cast<uint32_t>(
                stepped(static_cast<int>(reading.autoDelayMs), delta, kAutoStepMs, kLongestAutoMs));
            keep("auto-delay", std::to_string(reading.autoDelayMs));
            break;
        case SKIP:
            reading.skipUnread = !reading.skipUnread;
            keep("skip", reading.skipUnread ? "all" : "read");
            break;
        case SCREEN:
            g_windowSystem->setFullScreen(!g_windowSystem->fullScreen());
            keep("window", g_windowSystem->fullScreen() ? "no" : "yes");
            break;
        case FILTER:
            g_choices.filter =
                static_cast<ScaleFilter>(cycled(static_cast<int>(g_choices.filter), delta, kFilterWords));
            g_windowSystem->setScaling(g_choices.filter, g_choices.integerScale);
            keep("filter", kFilterWords[static_cast<int>(g_choices.filter)]);
            break;
        case TEXT_OUT:
            chooseTextOutputs(
                static_cast<unsigned>(cycled(static_cast<int>(chosenTextOutputs()), delta, kTextOutputs)));
            keep("text-out", listValue(*optionNamed("--text-out"), static_cast<int>(chosenTextOutputs())));
            break;
        default:
            break;
    }
}

uint32_t colourOfEntry(int entry) {
    return colourOf(g_basePalette[entry]);
}

void text(int32_t x, int32_t y, const std::string& utf8, int entry) {
    g_display.drawMenuText(x, y, sjis(utf8.c_str()), kMenuFontHeight, 0, kMenuFontWeight, kMenuShadowOffset,
                           colourOfEntry(entry), SLOT_SCREEN);
}

// The page over the dimmed picture: every other pixel black, as an 8-bit screen dims without touching
// its palette.
void draw(const std::vector<uint8_t>& dimmed, int lit) {
    std::memcpy(g_display.pixels[SLOT_SCREEN], dimmed.data(), dimmed.size());
    text(kTitleX, kTitleY, "設定", kWhiteEntry);
    for (int item = 0; item < kItemCount; ++item) {
        int entry = item == lit ? kMenuHighlighted : kMenuPlain;
        text(kLabelX, lineTop(item), kLabels[item], entry);
        if (item == CLOSE) continue;
        text(kLessX, lineTop(item), "＜", entry);
        text(kValueX, lineTop(item), valueText(item), entry);
        text(kMoreX, lineTop(item), "＞", entry);
    }
    if (!g_windowSystem->padAttached()) return;
    int32_t y = kHelpY;
    for (const char* line : kPadHelp) {
        g_display.drawMenuText(kLabelX, y, sjis(line), kHelpFontHeight, 0, kHelpFontWeight, kHelpShadow,
                               colourOfEntry(kMenuPlain), SLOT_SCREEN);
        y += kHelpLineStep;
    }
}

std::vector<uint8_t> dimmedCopy(const std::vector<uint8_t>& screen) {
    std::vector<uint8_t> dimmed = screen;
    uint8_t black = Display::nearestIndex(colourOfEntry(kShadowEntry));
    for (int y = 0; y < kSlotHeight; ++y) {
        for (int x = y % 2; x < kSlotWidth; x += 2)
            dimmed[static_cast<size_t>(y) * kSlotWidth + x] = black;
    }
    return dimmed;
}

// A click changes the line under the pointer, one step less on "＜"; the pad's A changes the lit line,
// as Return does.
void takeClick(int lit, int& changed, int& delta) {
    int item = g_padClicked ? lit : itemAt(g_mouseX, g_mouseY);
    if (item < 0) return;
    changed = item;
    delta = !g_padClicked && g_mouseX < kValueX && g_mouseX >= kLessX ? -1 : 1;
}

}  // namespace

void runSettingsPage() {
    const uint8_t* screen = g_display.pixels[SLOT_SCREEN];
    const std::vector<uint8_t> saved(screen, screen + kSlotBytes);
    const std::vector<uint8_t> dimmed = dimmedCopy(saved);
    traceEvent("settings page");
    int lit = itemAt(g_mouseX, g_mouseY);
    int32_t pointerX = g_mouseX, pointerY = g_mouseY;
    clearReaderKeys();
    draw(dimmed, lit);
    for (bool open = true; open;) {
        g_leftClicked = g_rightClicked = 0;
        waitSinceMark(0);
        int before = lit, changed = -1, delta = 0;
        if (g_mouseX != pointerX || g_mouseY != pointerY) {
            pointerX = g_mouseX, pointerY = g_mouseY;
            lit = itemAt(pointerX, pointerY);
        }
        for (uint32_t vk = 0; takeReaderKey(vk);) {
            if (vk == VK_DOWN) lit = lit < 0 ? 0 : std::min(lit + 1, kItemCount - 1);
            if (vk == VK_UP) lit = lit < 0 ? kItemCount - 1 : std::max(lit - 1, 0);
            if ((vk == VK_LEFT || vk == VK_RIGHT || vk == VK_RETURN) && lit >= 0)
                changed = lit, delta = vk == VK_LEFT ? -1 : 1;
            if (vk == VK_ESCAPE || vk == kSettingsKey) open = false;
        }
        if (g_leftClicked) takeClick(lit, changed, delta);
        if (g_rightClicked || changed == CLOSE) open = false;
        if (open && changed >= 0) change(changed, delta);
        if (open && (lit != before || changed >= 0)) draw(dimmed, lit);
        if (open) idleUntilInput();
    }
    std::memcpy(g_display.pixels[SLOT_SCREEN], saved.data(), saved.size());
    g_leftClicked = g_rightClicked = 0;
    g_keyDown[VK_SPACE] = 0;
    g_wheelTurns = 0;
    clearReaderKeys();
    traceEvent("settings page closed");
}
