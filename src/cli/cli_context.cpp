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

int CliContext::openTrace() {
    if (!options.traceTarget || trace)
        return kExitOk;
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

void CliContext::drainEvents() {
    std::atomic<std::uint32_t> ignored{0};
    while (readOneEvent(*deviceLink.eventHandle, ignored, {}, 0) == InputResult::Report) {
    }
}

} // namespace talvex
