#include "platform/textout/text_outputs.h"

#include <memory>
#include <string>

#include "platform/textout/private/speech_runner.h"
#include "platform/textout/private/websocket_server.h"
#include "platform/window_system.h"

namespace {

unsigned g_outputs = 0;
int g_port = kDefaultTextOutPort;
std::unique_ptr<WebSocketServer> g_server;
std::unique_ptr<SpeechRunner> g_speech;

}  // namespace

bool textOutputsChosen() {
    return g_outputs != 0 || g_speech;
}

void handOutTexts(const std::vector<std::string>& texts) {
    // Dictionary tools look at the clipboard now and then: a wait's texts go there together, or a tool
    // would see the menu's lines alone and miss the line typed before them.
    if ((g_outputs & kClipboardOutput) && g_windowSystem) {
        std::string together;
        for (const std::string& text : texts)
            together += (together.empty() ? "" : "\n") + text;
        g_windowSystem->setClipboardText(together.c_str());
    }
    if (g_server) g_server->send(texts);
    if (g_speech) g_speech->speak(texts);
}

void textOutputsGameEnds() {
    if (g_server) g_server->showNothing();
    if (g_speech) g_speech->silence();
}

void startTextOutputs(const PlatformOptions& options) {
    g_port = options.textOutPort;
    if (options.speakCommand) g_speech = std::make_unique<SpeechRunner>(options.speakCommand);
    chooseTextOutputs(options.textOutputs);
}

void chooseTextOutputs(unsigned outputs) {
    g_outputs = outputs;
    if (!(outputs & kWebSocketOutput)) {
        g_server.reset();
    } else if (!g_server) {
        g_server = WebSocketServer::listen(g_port);
    }
}

unsigned chosenTextOutputs() {
    return g_outputs;
}

void stopTextOutputs() {
    g_server.reset();
    g_speech.reset();
    g_outputs = 0;
}
