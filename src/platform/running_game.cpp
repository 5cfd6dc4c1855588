#include "platform/running_game.h"

#include <string>

#include "platform/files/text_encoding.h"
#include "platform/textout/text_stream.h"
#include "platform/window/private/screenshot_file.h"
#include "platform/window_system.h"

namespace {

const size_t kTitleBytes = 1024;

}  // namespace

void setRunningGame(const char* folderName, const char* sjisTitle) {
    setScreenshotGame(folderName);
    streamGameRuns(folderName != nullptr);
    if (!g_windowSystem) return;
    if (!folderName) {
        g_windowSystem->setTitle(kPlayerTitle);
        return;
    }
    char title[kTitleBytes];
    sjisToUtf8(sjisTitle, title, sizeof title);
    std::string shown = (*title ? std::string(title) : nameToUtf8(folderName)) + " - " + kPlayerTitle;
    g_windowSystem->setTitle(shown.c_str());
}
