// bgload, objload, objloadxy and objloadf: pictures into the layers, the scene recomposed, and the
// changed part brought onto the screen through a transition.
#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "display/coordinates.h"
#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const int32_t kHalfWidth = 320;
const int32_t kCentreShownAt = 160;
const int kPlaceCount = 4;
const int kFullPlace = 3;

// Where each character place lies in the layers and on the screen.
struct CharacterPlace {
    int slot;
    int32_t layerX;
    int32_t screenX;
    int32_t width;
};
const CharacterPlace kPlaces[kPlaceCount] = {
    {SLOT_CHARS, 0, 0, kHalfWidth},
    {SLOT_CENTER, 0, kCentreShownAt, kHalfWidth},
    {SLOT_CHARS, kHalfWidth, kHalfWidth, kHalfWidth},
    {SLOT_CHARS, 0, 0, kSlotWidth},
};

bool isWord(const char* name, const char* word) {
    return std::strcmp(name, word) == 0;
}

void emptyPlace(int32_t place) {
    const CharacterPlace& p = kPlaces[place];
    g_display.fillTransparent(p.layerX, 0, p.width, kSlotHeight, p.slot);
    if (place == kFullPlace) g_display.fillTransparent(0, 0, kSlotWidth, kSlotHeight, SLOT_CENTER);
}

// A picture loaded into the stage (x 320 of the centre slot) goes to its place opaque: its transparent
// pixels stay transparent in the layer.
void copyStageToPlace(int32_t place) {
    const CharacterPlace& p = kPlaces[place];
    g_display.copyOpaque(p.layerX, 0, kHalfWidth, 0, kHalfWidth, kSlotHeight, p.slot, SLOT_CENTER);
}

void showPlace(int32_t place, int32_t effect, int32_t wait) {
    if (effect == kNoTransition) return;
    const CharacterPlace& p = kPlaces[place];
    g_effects.run(effect, p.screenX, 0, p.screenX, 0, p.width, kSlotHeight, wait, SLOT_SCREEN, SLOT_SCENE);
}

}  // namespace

void ScriptEngine::cmdBgLoad() {
    PictureArgs given;
    if (const char* error = readBgLoadArgs(args, given)) fatalError(error);
    restoreBrightness();
    if (isWord(given.file, "clear")) {
        g_display.clear(SLOT_BG);
    } else {
        g_display.loadBitmap(given.file, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_BG);
    }
    std::strcpy(bgName, given.file);
    composeScene();
    g_effects.run(given.effect, 0, 0, 0, 0, kSlotWidth, kSlotHeight, given.wait, SLOT_SCREEN, SLOT_SCENE);
}

void ScriptEngine::cmdObjLoad() {
    PictureArgs given;
    if (const char* error = readObjLoadArgs(args, given)) fatalError(error);
    const char* file = given.file;
    int32_t place = given.place;
    restoreBrightness();
    if (isWord(file, "clear")) {
        emptyPlace(place);
    } else {
        loadKeyColour(file);
        if (place == kFullPlace) {
            g_display.loadBitmap(file, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_CHARS);
            g_display.fillTransparent(0, 0, kSlotWidth, kSlotHeight, SLOT_CENTER);
        } else {
            g_display.loadBitmap(file, kHalfWidth, kSlotHeight, kHalfWidth, 0, 0, 0, SLOT_CENTER);
            copyStageToPlace(place);
        }
    }
    composeScene();
    showPlace(place, given.effect, given.wait);
}

// A picture smaller than a character cell, at an offset inside it.
void ScriptEngine::cmdObjLoadXy() {
    restoreBrightness();
    PlacedPictureArgs given;
    if (const char* error = readObjLoadXyArgs(args, given)) fatalError(error);
    const char* file = given.file;
    int32_t place = given.place, x = given.x, y = given.y, width = given.width, height = given.height;
    if (place != kFullPlace) {
        g_display.fillTransparent(kHalfWidth, 0, kHalfWidth, kSlotHeight, SLOT_CENTER);
        g_display.loadBitmap(file, width, height, addCoordinates(kHalfWidth, x), y, 0, 0, SLOT_CENTER);
    }
    loadKeyColour(file);
    if (place != kFullPlace) {
        copyStageToPlace(place);
    } else {
        g_display.fillTransparent(0, 0, kSlotWidth, kSlotHeight, SLOT_CHARS);
        g_display.fillTransparent(0, 0, kSlotWidth, kSlotHeight, SLOT_CENTER);
        g_display.loadBitmap(file, width, height, x, y, 0, 0, SLOT_CHARS);
    }
    composeScene();
    showPlace(place, given.effect, given.wait);
}

// A free-positioned object pasted into the character layer, keyed over what it holds. "show" loads
// nothing and only brings the rectangle of the scene onto the screen.
void ScriptEngine::cmdObjLoadF() {
    PlacedPictureArgs given;
    if (const char* error = readObjLoadFArgs(args, given)) fatalError(error);
    const char* file = given.file;
    int32_t x = given.x, y = given.y, width = given.width, height = given.height, effect = given.effect;
    restoreBrightness();
    if (isWord(file, "clear")) {
        g_display.fillTransparent(x, y, width, height, SLOT_CHARS);
    } else if (!isWord(file, "show")) {
        loadKeyColour(file);
        g_display.loadBitmap(file, width, height, 0, 0, 0, 0, SLOT_WORK);
        g_display.copyKeyedClipped(x, y, 0, 0, width, height, SLOT_CHARS, SLOT_WORK);
    }
    composeScene();
    if (effect != kNoTransition) {
        g_effects.run(effect, x, y, x, y, width, height, given.wait, SLOT_SCREEN, SLOT_SCENE);
    }
}

void checkBgLoad(const char* args, CommandCheck& check) {
    PictureArgs given;
    if (check.problem(readBgLoadArgs(args, given))) return;
    if (!isWord(given.file, "clear")) check.background(given.file);
    check.transition(given.effect, false);
}

// The key colour is read before the picture, as cmdObjLoad reads them.
void checkObjLoad(const char* args, CommandCheck& check) {
    PictureArgs given;
    if (check.problem(readObjLoadArgs(args, given))) return;
    if (!isWord(given.file, "clear")) {
        check.keyColour(given.file);
        check.overlay(given.file, kPlaces[given.place].width, kSlotHeight);
    }
    check.transition(given.effect, true);
}

// Into a half place the picture is read before its key colour, so the key of the picture before keys it.
void checkObjLoadXy(const char* args, CommandCheck& check) {
    PlacedPictureArgs given;
    if (check.problem(readObjLoadXyArgs(args, given))) return;
    if (given.place != kFullPlace) check.overlay(given.file, given.width, given.height);
    check.keyColour(given.file);
    if (given.place == kFullPlace) check.overlay(given.file, given.width, given.height);
    check.transition(given.effect, true);
}

void checkObjLoadF(const char* args, CommandCheck& check) {
    PlacedPictureArgs given;
    if (check.problem(readObjLoadFArgs(args, given))) return;
    if (!isWord(given.file, "clear") && !isWord(given.file, "show")) {
        check.keyColour(given.file);
        check.overlay(given.file, given.width, given.height);
    }
    check.transition(given.effect, true);
}
