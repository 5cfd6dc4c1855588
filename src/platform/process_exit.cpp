#include "platform/process_exit.h"

#include <cstdlib>

namespace {

ExitHook g_exitHook = nullptr;

}  // namespace

void setExitHook(ExitHook hook) {
    g_exitHook = hook;
}

void exitProcess(int status) {
    if (g_exitHook) g_exitHook(status);
    std::exit(status);
}
