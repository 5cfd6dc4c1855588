#include "sound/midi_music.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/audio/mci_sequencer.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

MidiMusic g_midi;

namespace {

const int kCommandBytes = 256;
const uint32_t kReplyBytes = 19;

// Every command is formatted afresh into a buffer of 256 characters: a file name too long for it cuts
// the command short, and the sequencer then cannot open the file.
void send(bool notify, char* reply, const char* format, ...) __attribute__((format(printf, 3, 4)));
void send(bool notify, char* reply, const char* format, ...) {
    char command[kCommandBytes];
    va_list values;
    va_start(values, format);
    std::vsnprintf(command, sizeof command, format, values);
    va_end(values);
    mciSendString(command, reply, reply ? kReplyBytes : 0, notify);
}

}  // namespace

bool MidiMusic::open(int alias, const char* fileName) {
    if (entries[alias].isOpen) close(alias);
    send(false, nullptr, "open %s type sequencer alias midi%02d", fileName, alias);
    entries[alias].isOpen = 1;
    checkCanPlay(alias);
    return true;
}

bool MidiMusic::checkCanPlay(int alias) {
    if (!entries[alias].isOpen) return false;
    char reply[kReplyBytes] = "";
    send(false, reply, "capability midi%02d can play wait", alias);
    if (std::strcmp(reply, "true") != 0) fatalError(sjis(kUnplayableMidiMessage));
    return true;
}

void MidiMusic::play(int32_t, int alias) {
    if (!entries[alias].isOpen || current >= 0) return;
    char reply[kReplyBytes] = "";
    send(true, reply, "play midi%02d notify", alias);
    current = static_cast<int16_t>(alias);
}

void MidiMusic::playOnce(int alias) {
    if (!entries[alias].isOpen || current >= 0) return;
    char reply[kReplyBytes] = "";
    send(false, reply, "play midi%02d from 0", alias);
    current = static_cast<int16_t>(alias);
}

void MidiMusic::onNotify(int32_t, int alias) {
    if (!entries[alias].isOpen || current == -1) return;
    send(false, nullptr, "seek midi%02d to start", current);
    char reply[kReplyBytes] = "";
    send(true, reply, "play midi%02d notify", current);
}

void MidiMusic::stop() {
    if (current == -1 || !entries[current].isOpen) return;
    send(false, nullptr, "stop midi%02d", current);
    current = -1;
}

void MidiMusic::close(int alias) {
    if (!entries[alias].isOpen) return;
    send(false, nullptr, "close midi%02d", alias);
    entries[alias].isOpen = 0;
}

void MidiMusic::release() {
    for (int alias = 0; alias < kMidiAliases; ++alias) {
        if (!entries[alias].isOpen) continue;
        if (current == alias) stop();
        close(alias);
    }
}
