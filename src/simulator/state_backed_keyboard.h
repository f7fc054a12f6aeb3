#pragma once
// The simulated keyboard behind `--simulate[=STATE_FILE]`, for the GUI and the CLI alike.

#include "simulator/simulated_keyboard.h"

#include <memory>
#include <string>

namespace talvex {

// A keyboard fresh from the factory, or, with a state file, the keyboard kept in that file,
// which then follows every write step the keyboard finishes. Null with `error` set when the
// file exists but holds no settings image.
std::shared_ptr<SimulatedKeyboard> makeSimulatedKeyboard(const std::string& stateFile,
                                                         std::string& error);

} // namespace talvex
