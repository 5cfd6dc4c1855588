#include "platform/textout/text_stream.h"

#include <string>
#include <vector>

#include "platform/files/text_encoding.h"
#include "platform/textout/text_outputs.h"
#include "platform/textout/transcript.h"

namespace {

bool g_gameRuns = false;
std::vector<std::string> g_finished;  // the texts of this wait so far, in Shift-JIS
std::string g_open;                   // the text being gathered, with '\n' for its line ends
bool g_openIsMenu = false;

bool gathering() {
    return g_gameRuns && textOutputsChosen();
}

// Line ends before and after a text are none of it, and a text of line ends alone is no text.
void finishOpen() {
    size_t first = g_open.find_first_not_of('\n');
    if (first != std::string::npos)
        g_finished.push_back(g_open.substr(first, g_open.find_last_not_of('\n') - first + 1));
    g_open.clear();
}

void startText(bool menu) {
    if (g_openIsMenu != menu) finishOpen();
    g_openIsMenu = menu;
}

void forgetTexts() {
    g_finished.clear();
    g_open.clear();
    g_openIsMenu = false;
}

}  // namespace

void streamCharacters(const char* sjis, size_t size) {
    transcriptText(sjis, size);
    if (!gathering()) return;
    startText(false);
    g_open.append(sjis, size);
}

void streamLineEnd() {
    transcriptLineEnd();
    if (gathering()) g_open += '\n';
}

void streamPageEnd() {
    transcriptPageEnd();
    if (gathering() && !g_open.empty() && g_open.back() != '\n') g_open += '\n';
}

void streamMenuLine(const char* sjis) {
    transcriptLine(sjis);
    if (!gathering()) return;
    startText(true);
    g_open += sjis;
    g_open += '\n';
}

void streamWait() {
    transcriptFlush();
    if (!gathering()) {
        forgetTexts();
        return;
    }
    finishOpen();
    g_openIsMenu = false;
    if (g_finished.empty()) return;
    std::vector<std::string> texts;
    for (const std::string& text : g_finished) {
        // A Shift-JIS character of one or two bytes takes at most three in UTF-8.
        std::string utf8(3 * text.size() + 1, '\0');
        sjisToUtf8(text.c_str(), &utf8[0], utf8.size());
        texts.push_back(utf8.c_str());
    }
    g_finished.clear();
    handOutTexts(texts);
}

void streamGameRuns(bool runs) {
    g_gameRuns = runs;
    forgetTexts();
    if (!runs) textOutputsGameEnds();
}
