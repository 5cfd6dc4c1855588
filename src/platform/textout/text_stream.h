// The one stream of the story's text as the reader is shown it: every character the engine types, the
// line and page ends it makes, the lines of its select and title menus, and the reader's waits. The
// transcript writes all of it as it comes. The text outputs (text_outputs.h) get texts: what was typed
// between two waits, with its line ends, and a menu's lines as a text of their own, handed over when
// the wait begins. Only while a game runs and an output is chosen are texts gathered at all.
#pragma once
#include <cstddef>

// Shift-JIS text added to the line being typed.
void streamCharacters(const char* sjis, size_t size);
// The line being typed is done (an empty one too).
void streamLineEnd();
// The page is done.
void streamPageEnd();
// A line of a menu; the menu's lines make a text of their own.
void streamMenuLine(const char* sjis);
// A reader's wait begins (a click or page wait, a choice, a menu): what the stream holds goes out.
void streamWait();
// A game starts or ends: no text is gathered or handed over while none runs.
void streamGameRuns(bool runs);
