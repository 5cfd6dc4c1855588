#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/audio/mci_sequencer.h"
#include "platform/headless/private/headless_window_system.h"
#include "platform/headless/trace.h"
#include "platform/textout/text_outputs.h"
#include "platform/textout/transcript.h"
#include "platform/window/private/sdl_window_system.h"

WindowSystem* g_windowSystem = nullptr;

WindowSystem* createWindowSystem(const PlatformOptions& options) {
    if (!options.headless) return new SdlWindowSystem(options);
    std::vector<ReaderAction> actions;
    if (options.readerFile) {
        std::ifstream file(options.readerFile, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "zebora: cannot read the reader file %s\n", options.readerFile);
            return nullptr;
        }
        std::ostringstream text;
        text << file.rdbuf();
        std::string error;
        if (!parseReaderScript(text.str(), actions, error)) {
            std::fprintf(stderr, "zebora: %s: %s\n", options.readerFile, error.c_str());
            return nullptr;
        }
    }
    auto* headless =
        new HeadlessWindowSystem(std::move(actions), options.readerFile != nullptr, options.shotsFolder,
                                 options.timeLimitMs, volumeGain(options.soundVolume));
    headless->startWindowed(options.windowed);
    return headless;
}

void shutDownPlatform() {
    stopTextOutputs();
    closeAllMciAliases();
    delete g_windowSystem;
    g_windowSystem = nullptr;
    closeTrace();
    closeTranscript();
}
