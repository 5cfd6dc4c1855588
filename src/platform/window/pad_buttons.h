// The buttons of a game controller and what each stands for: the window messages of the mouse button
// or the key that does the same, so that the engine and the reader's controls take a button exactly as
// they take its mouse button or key. Both windows, the real one and the headless reader, post these.
#pragma once
#include <string>

#include "platform/window_messages.h"

enum class PadButton { A, B, X, Y, Up, Down, Left, Right, LeftShoulder, RightShoulder, Start, Back };

// The message that a press (or a release) of the button posts; false when it posts none. A and B are
// the left and right clicks, which have no release.
bool padMessage(PadButton button, bool pressed, WindowMessage& out);
// The button of a reader's name ("a", "lb", "start"); false for no button.
bool padButtonNamed(const std::string& name, PadButton& out);
