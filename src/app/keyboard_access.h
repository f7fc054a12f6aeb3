#pragma once
// What the user is told when the keyboard is plugged in but this user may not open it. Without
// it the program would look exactly as if no keyboard were there, and the fix (a udev rule) is
// not something anyone guesses.

#include <string>

#include "device/device_link.h"

namespace talvex {

class Prompts;

// Names the udev rule and the commands that install it.
std::string keyboardAccessAdvice();

// Shows keyboardAccessAdvice() in a message box when the keyboard is attached but could not be
// opened; says nothing otherwise (no keyboard is an ordinary state). True when it spoke.
bool explainKeyboardPresence(KeyboardPresence presence, Prompts& prompts);

} // namespace talvex
