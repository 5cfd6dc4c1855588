// The transcript: the text the reader is shown, line by line as the engine types it, in UTF-8, so that
// learners can read along with dictionary tools and screen readers can follow the story. A blank line
// ends each page; the lines of each menu follow the text they came with. The text stream
// (text_stream.h) writes it.
#pragma once
#include <cstddef>

// Starts writing to path (emptied first), or to standard output for "-"; false when it cannot.
bool openTranscript(const char* path);
// Ends the line the program ended on; the platform closes it on its way down.
void closeTranscript();
// Shift-JIS text added to the line being typed, written as it comes.
void transcriptText(const char* sjis, size_t size);
// The line being typed is done (an empty one too: the engine's own empty lines are kept).
void transcriptLineEnd();
// The page is done: its last line, then a blank line, unless nothing was written since the last page.
void transcriptPageEnd();
// A whole line of its own, a menu's line.
void transcriptLine(const char* sjis);
// What is written reaches the file: the stream calls this at every wait.
void transcriptFlush();
