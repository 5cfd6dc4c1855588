// The MCI command strings through which the engine drives its MIDI sequencer, carried out by the
// platform's sound device:
//   open FILE type sequencer alias NAME   capability NAME can play wait   play NAME notify
//   play NAME from 0                      seek NAME to start                stop NAME      close NAME
// Words are separated by blanks, so a file name holding a blank cannot be opened, as with the
// original's sequencer.
#pragma once
#include <cstdint>

const uint32_t kMciSuccess = 0;

// Carries out a command; kMciSuccess or an error number. A reply ("true") is written to reply, cut to
// replyLength; notify asks for the end of a played piece to be reported to the window.
uint32_t mciSendString(const char* command, char* reply, uint32_t replyLength, bool notify);
// Forgets every alias (the sound device goes with the window system).
void closeAllMciAliases();
