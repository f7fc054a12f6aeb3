#pragma once
// `set` changes single values but sends whole parts: the other lighting values, the other
// palette colours and the other key flags go back to the keyboard as it answered them. An answer
// that was garbled in transit would be written back for good, so before sending, each such part
// is read again, and a third time when the two answers differ.

#include "cli/cli_context.h"
#include "device/device_settings.h"
#include "device/sequences.h"

namespace talvex {

// Re-reads the parts of `held` that `changed` will send back. When two answers in a row agree,
// `held` takes the latest; otherwise nothing is to be sent. Returns kExitOk, or kExitNoKeyboard
// after saying which part could not be confirmed.
int confirmEchoedParts(CliContext& context, const ChangeFlags& changed, DeviceSettings& held);

} // namespace talvex
