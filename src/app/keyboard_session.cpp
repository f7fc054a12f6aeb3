#include "app/keyboard_session.h"

#include "app/keyboard_access.h"
#include "device/hid_transport.h"

#include <memory>
#include <utility>

namespace talvex {

namespace {

// How often an arrival looks again while the keyboard is busy with a request.
constexpr int kArrivalRetryMs = 100;

// A read on the device thread; the loop's thread looks at it only once the job has ended.
struct ReadJob {
    KeyboardRead read;
    DeviceResult result;
};

} // namespace

KeyboardSession::KeyboardSession(KeyboardSessionPorts ports, KeyboardSessionListener& listener,
                                 int arrivalSettleMs)
    : ports_(ports), listener_(listener), arrivalSettleMs_(arrivalSettleMs),
      jobs_(link_, ports.protocolPauser, ports.loop, this) {}

SessionState KeyboardSession::state() const {
    if (shuttingDown_)
        return SessionState::ShuttingDown;
    if (jobs_.busy())
        return reading_ ? SessionState::Reading : SessionState::Busy;
    return link_.commandHandle ? SessionState::Idle : SessionState::Absent;
}

bool KeyboardSession::watchDevices() {
    watching_ = ports_.deviceMonitor.start(
        [this](const UsbDeviceChange& change) { onDeviceChange(change); });
    return watching_;
}

void KeyboardSession::open() {
    const KeyboardPresence presence = openKeyboard(ports_.backend, link_);
    startReader();
    listener_.connectionChanged();
    explainKeyboardPresence(presence, ports_.prompts);
}

void KeyboardSession::startReader() {
    // Key events are posted: the reader never waits for the loop, so a save that waits for the
    // reader's acknowledgements cannot lock up with it.
    reader_.start(link_.eventHandle, link_.ackCount, [this](std::uint8_t code) {
        ports_.loop.post([this, code] { listener_.keyEvent(code); });
    });
}

void KeyboardSession::readKeyboard() {
    if (link_.commandHandle && !shuttingDown_ && !jobs_.busy())
        startRead(ReadScope{});
}

void KeyboardSession::startRead(const ReadScope& scope) {
    auto job = std::make_shared<ReadJob>();
    job->read.working = listener_.workingSettings();
    jobs_.run(
        DeviceJobKind::Read,
        [job, scope](DeviceIo& io) {
            job->result = scope.occasion == ReadOccasion::StartUp
                              ? readAtStartUp(io, job->read)
                              : readAfterArrival(io, job->read, scope.everything, scope.reload);
        },
        [this, job, scope] {
            if (shuttingDown_)
                return; // quit while reading: no question may follow the window
            if (!job->result.ok) {
                listener_.jobEnded(DeviceJobKind::Read, false);
                listener_.readIncomplete(job->result.describeFailure());
                return;
            }
            if (scope.everything) {
                link_.deviceInfo = job->read.deviceInfo;
                link_.firmwareVersion = job->read.firmwareVersion;
            }
            listener_.jobEnded(DeviceJobKind::Read, true);
            listener_.readFinished(job->read, scope);
        });
}

void KeyboardSession::onDeviceChange(const UsbDeviceChange& change) {
    if (shuttingDown_)
        return;
    if (change.kind == UsbDeviceChange::Kind::Arrived)
        ports_.loop.after(arrivalSettleMs_, [this, change] { reattach(change); });
    else if (removalTakesKeyboard(change, ports_.backend))
        detach();
}

void KeyboardSession::reattach(const UsbDeviceChange& arrival) {
    if (shuttingDown_)
        return;
    if (jobs_.busy()) {
        ports_.loop.after(kArrivalRetryMs, [this, arrival] { reattach(arrival); });
        return;
    }
    const bool hadCommand = link_.commandHandle != nullptr;
    const bool hadEvents = link_.eventHandle != nullptr;
    const KeyboardPresence presence = openKeyboard(ports_.backend, link_);
    const bool commandOpened = !hadCommand && link_.commandHandle;
    const bool eventsOpened = !hadEvents && link_.eventHandle;
    if (eventsOpened)
        startReader();
    if (commandOpened)
        listener_.connectionChanged();
    if (arrival.vendorId == kKestrixVendorId && arrival.productId == kKestrixProductId)
        explainKeyboardPresence(presence, ports_.prompts);
    if (commandOpened || eventsOpened)
        startRead(ReadScope{ReadOccasion::Arrival, commandOpened, eventsOpened});
}

void KeyboardSession::detach() {
    reader_.stop();
    // A request that is running keeps its channel until it ends (its reports fail meanwhile).
    const bool hadCommand = link_.commandHandle != nullptr;
    closeChannels(link_);
    if (hadCommand)
        listener_.connectionChanged();
}

void KeyboardSession::busyChanged(bool busy) {
    listener_.busyChanged();
    if (busy)
        return;
    reading_ = false;
    if (auto action = std::exchange(whenIdle_, nullptr))
        action();
}

void KeyboardSession::jobStarted(DeviceJobKind kind) {
    reading_ = kind == DeviceJobKind::Read;
    if (!shuttingDown_)
        listener_.jobStarted(kind);
}

void KeyboardSession::jobProgressed(std::size_t done, std::size_t total) {
    if (!shuttingDown_)
        listener_.jobProgressed(done, total);
}

bool KeyboardSession::deferUntilIdle(std::function<void()> action) {
    if (!jobs_.busy())
        return false;
    whenIdle_ = std::move(action);
    return true;
}

bool KeyboardSession::runCommandJob(std::function<void(DeviceIo&)> job,
                                    std::function<void()> done) {
    return jobs_.run(DeviceJobKind::Command, std::move(job), std::move(done));
}

void KeyboardSession::shutdown() {
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    if (watching_)
        ports_.deviceMonitor.stop();
    watching_ = false;
    jobs_.finish();
    reader_.stop();
    closeChannels(link_);
}

void KeyboardSession::requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                                  SaveDone done) {
    jobs_.requestSave(working, snapshot, [this, done = std::move(done)](const SaveOutcome& o) {
        listener_.jobEnded(DeviceJobKind::Save, o.completed);
        done(o);
    });
}

void KeyboardSession::requestFactoryReset(const DeviceSettings& working, ReadDone done) {
    jobs_.requestFactoryReset(working, [this, done = std::move(done)](const ReadOutcome& o) {
        listener_.jobEnded(DeviceJobKind::FactoryReset, o.complete);
        done(o);
    });
}

} // namespace talvex
