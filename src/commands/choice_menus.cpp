// select: numbered choices below the text of the page, and the wait for the reader's pick.
#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "commands/hover_lines.h"
#include "display/display.h"
#include "engine/command_args.h"
#include "engine/reading.h"
#include "engine/script_engine.h"
#include "engine/shift_jis.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "platform/textout/text_stream.h"
#include "shell/shell.h"

namespace {

const int32_t kMargin = 16;
const int32_t kRightLimit = 640;
const int32_t kLineGap = 4;
const int32_t kChoiceDimStep = 1;
const int kLabelBytes = 4;  // the label and "、"

// Choices 1–9 are numbered with the full-width digits; the tenth with "10", which like them takes
// four bytes together with the "、" that follows, so its continuation lines indent the same way.
const char* const kLabels[kMenuLines] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "10"};

}  // namespace

void ScriptEngine::drawChoiceLine(int index, int32_t y, const char* text, int colour, int32_t& outWidth,
                                  int32_t& outHeight, int slot) {
    // The text is cut to what fits after the label, between two characters.
    char line[kNameBytes];
    std::snprintf(line, sizeof line, "%s%s%.*s", sjis(kLabels[index]), sjis("、"),
                  sjisPrefixLength(text, kNameBytes - 1 - kLabelBytes), text);
    dimBehindText(kChoiceDimStep);
    outWidth = 0;
    outHeight = fontHeight;
    font = openFont({fontFace, fontHeight, fontWidth, fontWeight, false});
    int32_t indent = 0, height = 0;
    measureText(font, line, kLabelBytes, indent, height);
    outWidth = indent;
    uint8_t shadow = Display::nearestIndex(colourOf(g_basePalette[0]));
    uint8_t ink = Display::nearestIndex(colourOf(g_basePalette[colour]));
    int32_t offsetX = slot == SLOT_SCREEN && !g_fullScreen ? g_clientX : 0;
    int32_t offsetY = slot == SLOT_SCREEN && !g_fullScreen ? g_clientY : 0;
    int32_t x = kMargin, lineWidth = 0;
    for (const char* at = line; *at;) {
        // Here every byte from 0x80 up starts a two-byte character.
        size_t size = static_cast<uint8_t>(*at) >= 0x80 && at[1] != '\0' ? 2 : 1;
        if (slot != SLOT_SCREEN)
            g_display.drawGlyphs(font, at, size, x + kMenuShadowOffset, y + kMenuShadowOffset, shadow, slot);
        g_display.drawGlyphs(font, at, size, x + offsetX, y + offsetY, ink, slot);
        int32_t width = 0;
        measureText(font, at, size, width, height);
        x += width;
        lineWidth += width;
        at += size;
        if (x + 2 * fontHeight > kRightLimit) {
            if (outWidth < lineWidth) outWidth = lineWidth;
            lineWidth = 0;
            x = indent + kMargin;
            y += fontHeight + kLineGap;
            outHeight += fontHeight + kLineGap;
        }
    }
    if (outWidth < lineWidth) outWidth = lineWidth;
}

void ScriptEngine::cmdSelect() {
    MenuArgs given;
    if (const char* error = readSelectArgs(args, given)) fatalError(error);
    int32_t count = given.count;
    const auto& texts = given.texts;
    const auto& places = given.places;
    int32_t y = textY;
    MenuRect rects[kMenuLines];
    for (int i = 0; i < count; ++i) {
        int32_t width = 0, height = 0;
        drawChoiceLine(i, y, texts[i], kMenuPlain, width, height, SLOT_TEXT);
        rects[i] = {kMargin, y, kMargin + width, y + height};
        y += height + kLineGap;
    }
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_TEXT);
    choiceCount = static_cast<int8_t>(count);
    for (int i = 0; i < count; ++i) {
        choiceRect[i] = rects[i];
        std::strcpy(choiceText[i], texts[i]);
        std::strcpy(choicePlace[i], places[i]);
    }
    waitChoice();
}

void ScriptEngine::waitChoice() {
    for (int i = 0; i < choiceCount; ++i)
        streamMenuLine(choiceText[i]);
    streamWait();
    g_reading.waitBegins(true);
    int32_t width = 0, height = 0;
    HoverLines lines(choiceRect, choiceCount, [&](int i, bool highlighted) {
        drawChoiceLine(i, choiceRect[i].top, choiceText[i], highlighted ? kMenuHighlighted : kMenuPlain,
                       width, height, SLOT_SCREEN);
    });
    for (;;) {
        g_rightClicked = 0;
        g_leftClicked = 0;
        waitSinceMark(0);
        WaitTurn turn = WaitTurn::Stay;
        lines.follow([&turn](uint32_t vk) {
            if (turn == WaitTurn::Stay) turn = g_reading.otherKey(vk, ACTION_CHOICE);
        });
        if (turn == WaitTurn::Replaced) return;
        if (g_rightClicked && systemMenu(ACTION_CHOICE)) return;
        for (int i = 0; i < choiceCount; ++i) {
            if (!lines.clicked(i)) continue;
            clearPage();
            jumpToLabel(choicePlace[i]);
            return;
        }
        idleUntilInput();
    }
}

void checkSelect(const char* args, CommandCheck& check) {
    MenuArgs given;
    if (check.problem(readSelectArgs(args, given))) return;
    for (int i = 0; i < given.count; ++i)
        check.jumpsTo(given.places[i]);
}
