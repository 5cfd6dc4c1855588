// Where the story's text goes for the reader's tools, beyond the transcript: the desktop's clipboard
// (for dictionary tools that watch it), a WebSocket on the loopback address (for texthooker pages in
// the browser) and a voice (a command that reads each text on its standard input). The WebSocket and
// the voice work on threads of their own: the engine only hands them texts and never waits for them.
#pragma once
#include <string>
#include <vector>

#include "platform/platform_options.h"

// What the text stream (text_stream.h) tells the outputs.
// Whether any output takes texts (the voice included).
bool textOutputsChosen();
// The UTF-8 texts that a reader's wait shows, in order.
void handOutTexts(const std::vector<std::string>& texts);
// The game has ended: what still speaks ends, and a WebSocket client that connects now waits for the
// next text.
void textOutputsGameEnds();

// Starts the outputs that the options choose: the WebSocket's port is listened on at once.
void startTextOutputs(const PlatformOptions& options);
// The reader's choice of the clipboard and the WebSocket (kClipboardOutput | kWebSocketOutput), taken at
// once; the voice stays as the options set it.
void chooseTextOutputs(unsigned outputs);
unsigned chosenTextOutputs();
// Closes every client, ends what still speaks and the threads.
void stopTextOutputs();
