#include "commands/command_check.h"

#include "display/display.h"
#include "display/palette_file.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/bitmap_file.h"
#include "shell/shell.h"

namespace {

const int kKeyColourEntries = 2;

}  // namespace

bool CommandCheck::problemWith(const char* sjisFormat, const char* value) {
    char message[kErrorTextBytes];  // as long as the engine's own
    formatMessage(sjisFormat, value, message, sizeof message);
    return problem(message);
}

void CommandCheck::transition(int32_t effect, bool noneAllowed) {
    if (isTransition(effect) || (noneAllowed && effect == kNoTransition)) return;
    problem(sjis(kTransitionRangeMessage));
}

void CommandCheck::picture(const char* file) {
    DecodedBitmap bitmap;
    if (!readBitmapFile(file, bitmap)) problemWith(sjis(kMissingBitmapMessage), file);
}

void CommandCheck::keyColour(const char* file) {
    PaletteEntry colours[kKeyColourEntries];
    if (!readColourTable(file, colours, kKeyColourEntries)) problem(sjis(kUnreadableKeyColourMessage));
}
