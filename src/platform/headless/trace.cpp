#include "platform/headless/trace.h"

#include <cstdarg>
#include <cstdio>

#include "platform/window_system.h"

namespace {

FILE* g_trace = nullptr;

}  // namespace

bool openTrace(const char* path) {
    closeTrace();
    g_trace = std::fopen(path, "w");
    return g_trace != nullptr;
}

void closeTrace() {
    if (g_trace) std::fclose(g_trace);
    g_trace = nullptr;
}

// Written line by line, so that what a crash or a killed run leaves is whole up to its last event.
void traceEvent(const char* format, ...) {
    if (!g_trace) return;
    std::fprintf(g_trace, "%u ", g_windowSystem ? g_windowSystem->milliseconds() : 0u);
    va_list values;
    va_start(values, format);
    std::vfprintf(g_trace, format, values);
    va_end(values);
    std::fputc('\n', g_trace);
    std::fflush(g_trace);
}
