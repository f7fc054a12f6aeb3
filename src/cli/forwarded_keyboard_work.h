#pragma once
// The keyboard part of a command that the window carries out for the command line: the command
// line's own code, run on the window's device thread with the window's channel, so both behave
// alike to the byte.

#include "app/forwarded_run.h"
#include "keys/key_assignment_store.h"

namespace talvex {

ForwardedRun runForwardedKeyboardWork(const ForwardedRequest& request, DeviceIo& io);

// `assign` on the window's own keymap.bin: the request's arguments applied to the window's
// state as its key dialog's Save applies them. The window writes keymap.bin afterwards.
ForwardedReply runForwardedAssign(const ForwardedRequest& request, KeyAssignmentState& state,
                                  const MacroSlotRefresh& refresh);

} // namespace talvex
