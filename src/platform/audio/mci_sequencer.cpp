#include "platform/audio/mci_sequencer.h"

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/audio/sound_device.h"
#include "platform/headless/trace.h"
#include "platform/window_system.h"

namespace {

// Error numbers in the range of the multimedia library's; nothing looks at which.
const uint32_t kMciBadCommand = 257;
const uint32_t kMciFileUnreadable = 263;
const uint32_t kMciNoSuchAlias = 264;

std::set<std::string>& openAliases() {
    static auto& aliases = *new std::set<std::string>;
    return aliases;
}

std::vector<std::string> wordsOf(const char* command) {
    std::istringstream in(command);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

bool matches(const std::vector<std::string>& words, std::initializer_list<const char*> pattern) {
    if (words.size() != pattern.size()) return false;
    size_t i = 0;
    for (const char* expected : pattern) {
        if (*expected != '*' && words[i] != expected) return false;
        ++i;
    }
    return true;
}

uint32_t openPiece(const std::string& file, const std::string& alias) {
    MidiPiece piece;
    if (!readMidiFile(file.c_str(), piece)) {
        traceEvent("music open %s: %s cannot be played", alias.c_str(), file.c_str());
        return kMciFileUnreadable;
    }
    traceEvent("music open %s: %s, %lld ms", alias.c_str(), file.c_str(),
               static_cast<long long>((piece.lengthNs + 500000) / 1000000));
    g_windowSystem->soundDevice().loadPiece(alias, std::move(piece));
    openAliases().insert(alias);
    return kMciSuccess;
}

void answer(char* reply, uint32_t replyLength, const char* text) {
    if (reply && replyLength > 0) {
        std::strncpy(reply, text, replyLength - 1);
        reply[replyLength - 1] = '\0';
    }
}

}  // namespace

uint32_t mciSendString(const char* command, char* reply, uint32_t replyLength, bool notify) {
    std::vector<std::string> words = wordsOf(command);
    if (matches(words, {"open", "*", "type", "sequencer", "alias", "*"}))
        return openPiece(words[1], words[5]);
    if (words.size() < 2) return kMciBadCommand;
    const std::string& alias = words[1];
    if (!openAliases().count(alias)) return kMciNoSuchAlias;
    SoundDevice& device = g_windowSystem->soundDevice();
    if (matches(words, {"capability", "*", "can", "play", "wait"})) {
        answer(reply, replyLength, "true");
    } else if (matches(words, {"play", "*", "notify"})) {
        traceEvent("music play %s%s", alias.c_str(), notify ? ", notify" : "");
        device.playPiece(alias, notify);
    } else if (matches(words, {"play", "*", "from", "0"})) {
        traceEvent("music play %s once", alias.c_str());
        device.rewindPiece(alias);
        device.playPiece(alias, false);
    } else if (matches(words, {"seek", "*", "to", "start"})) {
        traceEvent("music rewind %s", alias.c_str());
        device.rewindPiece(alias);
    } else if (matches(words, {"stop", "*"})) {
        traceEvent("music stop %s", alias.c_str());
        device.stopPiece(alias);
    } else if (matches(words, {"close", "*"})) {
        device.unloadPiece(alias);
        openAliases().erase(alias);
    } else {
        return kMciBadCommand;
    }
    return kMciSuccess;
}

void closeAllMciAliases() {
    openAliases().clear();
}
