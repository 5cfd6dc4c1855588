#include <cstring>

#include "engine/script_engine.h"
#include "platform/text_encoding.h"

void ScriptEngine::endGame() {
    pendingAction = ACTION_END_GAME;
    std::strcpy(fontFace, sjis("ＭＳ Ｐ明朝"));
}
