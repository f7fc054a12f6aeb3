#include "cli/cli_context.h"

#include "app/keyboard_access.h"
#include "cli/event_pump.h"
#include "platform/hidapi_backend.h"
#include "simulator/simulator_backend.h"
#include "simulator/state_backed_keyboard.h"

namespace talvex {

CliContext::CliContext(CliOptions options, std::ostream& out, std::ostream& err)
    : out(out), err(err), options(std::move(options)) {}

CliContext::~CliContext() = default;

void CliContext::print(const ReportNode& report) {
    if (options.json) {
        report.printJson(out);
        out << "\n";
    } else {
        report.printText(out);
    }
}

int CliContext::badInput(const std::string& message) {
    err << "kestrix-cli: " << message << "\n";
    return kExitBadInput;
}

void CliContext::useKeyboard(DeviceIo& io, std::function<void(const std::string&)> traceLines) {
    externalIo = &io;
    externalTrace = std::move(traceLines);
}

int CliContext::openTrace() {
    if (!options.traceTarget || trace)
        return kExitOk;
    if (externalTrace) {
        trace = std::make_unique<WireTrace>(externalTrace);
        return kExitOk;
    }
    std::ostream* target = &out;
    if (*options.traceTarget != "-") {
        traceFile.open(*options.traceTarget, std::ios::out | std::ios::trunc);
        if (!traceFile)
            return badInput("cannot write the trace file " + *options.traceTarget);
        target = &traceFile;
    }
    trace = std::make_unique<WireTrace>([target](const std::string& line) {
        *target << line << "\n";
        target->flush();
    });
    return kExitOk;
}

int CliContext::connect() {
    if (deviceIo)
        return kExitOk;
    if (int code = openTrace(); code != kExitOk)
        return code;
    if (externalIo)
        return connectExternal();
    if (int code = lockKeyboard(); code != kExitOk)
        return code;
    if (options.simulate) {
        std::string error;
        simulated = makeSimulatedKeyboard(options.simulatorStateFile, error);
        if (!simulated)
            return badInput(error);
        simulated->setFaults(options.simulatorFaults);
        backend = std::make_unique<SimulatorBackend>(simulated);
        protocolPauser = std::make_unique<InstantPauser>();
    } else {
        backend = makeHidapiBackend();
        protocolPauser = std::make_unique<SleepingPauser>();
    }

    switch (openKeyboard(*backend, deviceLink, trace.get())) {
    case KeyboardPresence::Open:
        break;
    case KeyboardPresence::NotAttached:
        err << "kestrix-cli: no Kestrix keyboard is attached\n";
        return kExitNoKeyboard;
    case KeyboardPresence::CannotOpen:
        err << "kestrix-cli: " << keyboardAccessAdvice() << "\n";
        return kExitNoKeyboard;
    }

    Pauser* pauser = protocolPauser.get();
    if (trace) {
        deviceLink.commandHandle =
            std::make_unique<TracingChannel>(std::move(deviceLink.commandHandle), *trace);
        deviceLink.eventHandle =
            std::make_unique<TracingChannel>(std::move(deviceLink.eventHandle), *trace);
        tracedPauser = std::make_unique<TracingPauser>(*pauser, *trace);
        pauser = tracedPauser.get();
    }
    pumpingPauser =
        std::make_unique<EventPumpingPauser>(*pauser, *deviceLink.eventHandle, deviceLink.ackCount);
    deviceIo = std::make_unique<DeviceIo>(
        DeviceIo{*deviceLink.commandHandle, *pumpingPauser, deviceLink.ackCount, trace.get()});
    return kExitOk;
}

DeviceIo& CliContext::io() {
    return *deviceIo;
}

AppPaths CliContext::paths() const {
    AppPaths paths = chooseAppPaths(currentPathInputs());
    if (!options.dataFolder.empty())
        paths.dataFolder = options.dataFolder;
    return paths;
}

int CliContext::lockKeyboard() {
    if (keyboardLock.held())
        return kExitOk;
    const LockResult locked = lockKeyboardInUse(
        keyboardLock, options.simulate, options.simulatorStateFile, options.keyboardLockWait);
    if (locked)
        return kExitOk;
    if (locked.status == LockStatus::Busy) {
        err << "kestrix-cli: " << locked.message << "; try again when it is done\n";
        return kExitNoKeyboard;
    }
    // A state file whose lock cannot be made beside it is one whose saves would fail too.
    if (options.simulate)
        return badInput(locked.message);
    // The real keyboard stays usable without its lock, only no longer kept apart from other
    // programs; a lock in a shared folder instead would be one another user could hold.
    err << "kestrix-cli: warning: " << locked.message
        << "; not waiting for other programs using the keyboard\n";
    return kExitOk;
}

int CliContext::connectExternal() {
    HidChannel* channel = &externalIo->channel;
    Pauser* pauser = &externalIo->pauser;
    if (trace) {
        // The window owns its channel: the tracing wrapper only borrows it.
        tracedExternalChannel = std::make_shared<TracingChannel>(
            std::shared_ptr<HidChannel>(channel, [](HidChannel*) {}), *trace);
        channel = tracedExternalChannel.get();
        tracedPauser = std::make_unique<TracingPauser>(*pauser, *trace);
        pauser = tracedPauser.get();
    }
    deviceIo = std::make_unique<DeviceIo>(DeviceIo{
        *channel, *pauser, externalIo->ackCount, trace ? trace.get() : externalIo->ackObserver,
        externalIo->progress, externalIo->ackReaderThread});
    return kExitOk;
}

void CliContext::drainEvents() {
    if (externalIo)
        return; // the window's event reader takes them
    AckCounter ignored;
    while (readOneEvent(*deviceLink.eventHandle, ignored, {}, 0) == InputResult::Report) {
    }
}

} // namespace talvex
