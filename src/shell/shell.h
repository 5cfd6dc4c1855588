// The application shell: input state recorded by the window procedure, the message pump and the
// waits through which all time passes, the random generator, and the two ways the program ends.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/window_system.h"

const int kKeyStates = 200;
const int kErrorTextBytes = 256;

extern int32_t g_fullScreen;
extern int32_t g_hWnd;
extern uint8_t g_keyDown[kKeyStates];
extern uint8_t g_leftClicked;
extern uint8_t g_rightClicked;
// Whether the last left click came from a game controller's A button, which has no place of its own:
// a menu takes it for its highlighted line.
extern bool g_padClicked;
// Notches the wheel turned (up positive) since a wait last took them; only the backlog looks at them.
extern int32_t g_wheelTurns;
// Set while the reader's skip mode runs: every timed wait then ends at once, as with Ctrl held.
extern bool g_fastForward;
extern int32_t g_ctrlUp;
extern int32_t g_mouseX;
extern int32_t g_mouseY;
extern uint32_t g_markTime;
extern uint32_t g_playTimeStart;
extern char g_errorText[kErrorTextBytes];

// Presses of the keys the engine never reads (all but Space, Ctrl and Pause), oldest first, for the
// reader's own controls; the engine's input state records them as it records every key.
const int kReaderKeyQueue = 16;
bool takeReaderKey(uint32_t& vk);
void clearReaderKeys();

// The window procedure: records input; WM_CLOSE and Pause quit at once.
int32_t mainWindowProc(const WindowMessage& message);

// Drains the message queue through the window procedure; false when the quit message came.
bool pumpMessages();
void markTime();
// Pumps at least once, then until ms have passed since markTime() or while Ctrl is held.
void waitSinceMark(uint32_t ms);
// One pump and no more: what every busy loop does at each step so that the window keeps answering.
inline void pumpOnce() {
    waitSinceMark(0);
}
void sleepMs(uint32_t ms);
void waitForClick();
// Ends a pass of a loop that only waits for the reader: sleeps until input may have come (or at most
// a short while), instead of pumping in a busy loop. The next pass pumps what came.
void idleUntilInput();
int32_t randomInRange(int32_t lo, int32_t hi);
// Restarts the generator with state 1, as at program start.
void resetRandomGenerator();

uint32_t timeGetTime();
uint32_t getTickCount();

// A message box with an OK button, its caption and text (UTF-8) also written to stderr as
// "caption: text".
void showMessage(const char* utf8Caption, const char* utf8Text);
// Ends the process with status 1 after taking the platform down; the three ways out below end here.
[[noreturn]] void exitProgram();
[[noreturn]] void quitProgram();
// Closes the display, shows text (Shift-JIS) in a message box and on stderr, and exits with 1.
[[noreturn]] void fatalError(const char* text);
// Puts value in place of the "%s" of a Shift-JIS message. A long value is cut, between two characters,
// so that the whole complaint around it still fits.
void formatMessage(const char* format, const char* value, char* out, size_t outSize);
// The message formatted so into g_errorText, then fatalError.
[[noreturn]] void fatalErrorWith(const char* format, const char* value);
