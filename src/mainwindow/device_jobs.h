#pragma once
// The main window's requests to the keyboard. They run away from the window thread (the keyboard
// answers slowly, and a save waits for an acknowledgement per step), on copies of the settings;
// each result comes back through its callback on the window thread. The callbacks refer to the
// window's logic, so an implementation must finish or drop them before that logic is destroyed.

#include "device/device_io.h"
#include "device/device_settings.h"

#include <functional>
#include <string>

namespace talvex {

// What a request to the keyboard does, so the window can say it while the request runs.
// Command: the keyboard part of a kestrix-cli command that the window carries out.
enum class DeviceJobKind { Read, Save, FactoryReset, Command };

struct SaveOutcome {
    // False when the keyboard stopped acknowledging; it then holds a mixture of old and new
    // values, and the snapshot is left as it was so the next save sends the same parts again.
    bool completed = false;
    DeviceSettings sent = zeroSettings();     // the settings as sent (Windows-key lock folded in)
    DeviceSettings snapshot = zeroSettings(); // what the keyboard is now known to hold
    std::string failedStep;                   // which step went unanswered, for the user
};

struct ReadOutcome {
    // False when a request went unsent or an answer came back incomplete: `settings` then holds
    // a mixture of the keyboard's values and the old ones and is never used.
    bool complete = false;
    DeviceSettings settings = zeroSettings();
    std::string failedPart; // the first part that did not arrive, for the user
};

class DeviceJobs {
public:
    using SaveDone = std::function<void(const SaveOutcome&)>;
    using ReadDone = std::function<void(const ReadOutcome&)>;

    virtual ~DeviceJobs() = default;
    // True while a request runs or waits; the window refuses new ones meanwhile.
    virtual bool busy() const = 0;
    // Sends the parts of `working` that differ from `snapshot`.
    virtual void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                             SaveDone done) = 0;
    // Factory reset, then every setting read back into a copy of `working`.
    virtual void requestFactoryReset(const DeviceSettings& working, ReadDone done) = 0;
};

// The factory reset job itself, for every DeviceJobs. A reset that failed is not read back: the
// keyboard may still be resetting, and what it answered then would pass for the reset result.
ReadOutcome resetAndReadBack(DeviceIo& io, const DeviceSettings& working);

} // namespace talvex
