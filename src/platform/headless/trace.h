// The trace: one line for every event the engine performs that neither the screen nor a message shows
// (music, wave sounds, screenshots, and later saves and loads), each prefixed with the engine clock in
// milliseconds. Tests read it, and so do authors looking for what a script did.
#pragma once

// Starts writing the trace to path (emptied first); false when it cannot be written.
bool openTrace(const char* path);
void closeTrace();
// Writes one line when a trace is open.
void traceEvent(const char* format, ...) __attribute__((format(printf, 1, 2)));
