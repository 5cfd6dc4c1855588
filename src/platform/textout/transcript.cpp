#include "platform/textout/transcript.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files/text_encoding.h"

namespace {

FILE* g_transcript = nullptr;
bool g_lineOpen = false;     // text was written on the current line
bool g_pageHasText = false;  // something was written since the last page end

// Characters go out as they are typed, so that a reader following the file sees the text at the wait
// that shows it, not at the end of its line.
void writeText(const std::string& sjis) {
    // A Shift-JIS character of one or two bytes takes at most three in UTF-8.
    std::string utf8(3 * sjis.size() + 1, '\0');
    sjisToUtf8(sjis.c_str(), &utf8[0], utf8.size());
    std::fputs(utf8.c_str(), g_transcript);
    g_lineOpen = g_pageHasText = true;
}

}  // namespace

bool openTranscript(const char* path) {
    closeTranscript();
    g_transcript = std::strcmp(path, "-") == 0 ? stdout : std::fopen(path, "w");
    return g_transcript != nullptr;
}

// The line the program ended on is ended too.
void closeTranscript() {
    if (!g_transcript) return;
    if (g_lineOpen) std::fputc('\n', g_transcript);
    if (g_transcript == stdout) {
        std::fflush(stdout);
    } else {
        std::fclose(g_transcript);
    }
    g_transcript = nullptr;
    g_lineOpen = g_pageHasText = false;
}

void transcriptText(const char* sjis, size_t size) {
    if (g_transcript) writeText(std::string(sjis, size));
}

void transcriptLineEnd() {
    if (!g_transcript) return;
    std::fputc('\n', g_transcript);
    g_lineOpen = false;
    g_pageHasText = true;
}

void transcriptPageEnd() {
    if (!g_transcript) return;
    if (g_lineOpen) transcriptLineEnd();
    if (g_pageHasText) std::fputc('\n', g_transcript);
    g_pageHasText = false;
}

void transcriptLine(const char* sjis) {
    if (!g_transcript) return;
    if (g_lineOpen) transcriptLineEnd();
    writeText(sjis);
    transcriptLineEnd();
}

void transcriptFlush() {
    if (g_transcript) std::fflush(g_transcript);
}
