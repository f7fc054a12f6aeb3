#include "simulator/simulated_keyboard.h"

#include "device/commands.h"
#include "device/hid_transport.h"
#include "keys/key_slot.h"

#include <algorithm>
#include <chrono>

namespace talvex {

namespace {

constexpr std::size_t kPayload = 64;
constexpr std::uint8_t kEventReportId = 4;
constexpr std::uint8_t kAckKind = 4;
constexpr std::uint8_t kKeyEventKind = 1;

std::size_t chunksFor(std::size_t bytes) {
    return (bytes + kPayload - 1) / kPayload;
}

constexpr std::uint8_t speedOnWire(std::uint8_t speed) {
    return static_cast<std::uint8_t>(10 - speed);
}

} // namespace

SimulatedKeyboard::SimulatedKeyboard() : SimulatedKeyboard(factorySettings()) {}

SimulatedKeyboard::SimulatedKeyboard(const DeviceSettings& image) : settings(image) {}

DeviceSettings SimulatedKeyboard::image() const {
    std::lock_guard lock(mutex);
    return settings;
}

void SimulatedKeyboard::setFaults(const SimulatorFaults& f) {
    std::lock_guard lock(mutex);
    faults = f;
    reportCount = 0;
    if (faults.unplugAfterReports == 0)
        isPlugged = false;
}

void SimulatedKeyboard::pressKey(std::size_t cell) {
    std::lock_guard lock(mutex);
    if (!isPlugged || cell >= kKeyCellCount)
        return;
    const KeySlot slot = readSlot(settings, cell);
    if (slot.kind() == kSlotHostAction)
        pushInput({kEventReportId, kKeyEventKind, slot.bytes[2], 0});
}

void SimulatedKeyboard::unplug() {
    std::lock_guard lock(mutex);
    isPlugged = false;
    inputArrived.notify_all();
}

bool SimulatedKeyboard::plugged() const {
    std::lock_guard lock(mutex);
    return isPlugged;
}

int SimulatedKeyboard::writeSteps() const {
    std::lock_guard lock(mutex);
    return steps;
}

int SimulatedKeyboard::badRequests() const {
    std::lock_guard lock(mutex);
    return rejected;
}

void SimulatedKeyboard::setOnWrite(std::function<void(const DeviceSettings&)> callback) {
    std::lock_guard lock(mutex);
    onWrite = std::move(callback);
}

bool SimulatedKeyboard::countReport() {
    if (!isPlugged)
        return false;
    if (faults.unplugAfterReports >= 0 && reportCount >= faults.unplugAfterReports) {
        isPlugged = false;
        inputArrived.notify_all();
        return false;
    }
    ++reportCount;
    return true;
}

std::uint8_t SimulatedKeyboard::nextGarbage() {
    garbageState = garbageState * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(garbageState >> 24);
}

void SimulatedKeyboard::pushInput(const InputReport& report) {
    inputs.push_back(report);
    inputArrived.notify_all();
}

template <typename Body> bool SimulatedKeyboard::hostCall(Body body) {
    std::function<void(const DeviceSettings&)> callback;
    DeviceSettings image;
    bool result = false;
    {
        std::lock_guard lock(mutex);
        stepFinished = false;
        result = body();
        if (stepFinished && onWrite) {
            callback = onWrite;
            image = settings;
        }
    }
    if (callback)
        callback(image);
    return result;
}

void SimulatedKeyboard::finishWriteStep() {
    stepFinished = true;
    ++steps;
    if (!faults.earlyAcks)
        acknowledge(steps);
}

void SimulatedKeyboard::acknowledge(int step) {
    if (faults.dropAllAcks || step == faults.dropAckForStep)
        return;
    if (step == faults.lateAckForStep) {
        lateAckDue =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(faults.lateAckDelayMs);
        return;
    }
    pushInput({kEventReportId, kAckKind, 0, 0});
    if (faults.duplicateAcks)
        pushInput({kEventReportId, kAckKind, 0, 0});
}

void SimulatedKeyboard::releaseLateAck() {
    if (lateAckDue && std::chrono::steady_clock::now() >= *lateAckDue) {
        lateAckDue.reset();
        pushInput({kEventReportId, kAckKind, 0, 0});
    }
}

std::span<std::uint8_t> SimulatedKeyboard::areaOf(Area area, std::size_t index) {
    switch (area) {
    case Area::KeyTable:
        return settings.keyTable;
    case Area::KeyFlags:
        return settings.keyFlags;
    case Area::MacroSlot:
        return settings.macroSlot(index);
    case Area::Layout:
        return settings.customLayout(index);
    case Area::None:
        break;
    }
    return {};
}

void SimulatedKeyboard::handleRequest(const FeatureReport& q) {
    response = makeRequest(q[1]);
    pendingRead.clear();
    readChunk = 0;
    writeArea = Area::None;
    const auto reject = [this] { ++rejected; };
    const auto startRead = [this](std::span<const std::uint8_t> area) {
        pendingRead.assign(area.begin(), area.end());
        pendingRead.resize(chunksFor(area.size()) * kPayload, 0);
    };
    const auto startWrite = [this, &reject](Area area, std::size_t index, std::size_t chunks) {
        if (chunksFor(areaOf(area, index).size()) != chunks)
            return reject();
        writeArea = area;
        writeIndex = index;
        expectedChunks = chunks;
        pendingWrite.clear();
    };
    const auto done = [this] { finishWriteStep(); };
    const std::uint8_t n = q[3];
    const bool readRequest = (q[1] & command::kReadBit) != 0;
    if (readRequest && faults.unsolicitedAcks)
        pushInput({kEventReportId, kAckKind, 0, 0});
    // A step's first report: a block write's request, or the first of the seven palette colours.
    const bool firstOfLongerStep = (q[1] == command::kPaletteColour && n == 0) ||
                                   q[1] == command::kKeyTable || q[1] == command::kKeyFlags ||
                                   q[1] == command::kMacroSlot || q[1] == command::kCustomLayout;
    const bool singleReportStep = q[1] == command::kReportInterval ||
                                  q[1] == command::kResponseTime || q[1] == command::kLighting ||
                                  q[1] == command::kGameMode || q[1] == command::kReset;
    if (faults.earlyAcks && (firstOfLongerStep || singleReportStep))
        acknowledge(steps + 1);
    switch (q[1]) {
    case command::kDeviceInfo:
        response[2] = kFirmwareMajor;
        response[3] = kFirmwareMinor;
        response[4] = kKestrixVendorId & 0xFF;
        response[5] = kKestrixVendorId >> 8;
        response[6] = kKestrixProductId & 0xFF;
        response[7] = kKestrixProductId >> 8;
        break;
    case command::readOf(command::kReportInterval):
        response[2] = settings.reportInterval;
        break;
    case command::readOf(command::kResponseTime):
        response[2] = settings.responseTime;
        break;
    case command::readOf(command::kLighting):
        response[3] = settings.lightEffect;
        response[4] = speedOnWire(settings.lightSpeed);
        response[5] = settings.lightBrightness;
        response[6] = settings.lightColour;
        response[7] = settings.lightDirection;
        break;
    case command::readOf(command::kGameMode):
        response[2] = settings.gameMode;
        break;
    case command::readOf(command::kPaletteColour):
        if (n >= kPaletteSlotCount)
            return reject();
        response[3] = n;
        std::copy_n(&settings.palette[3 * n], 3, &response[4]);
        break;
    case command::kReportInterval:
        settings.reportInterval = q[2];
        return done();
    case command::kResponseTime:
        settings.responseTime = q[2];
        return done();
    case command::kLighting:
        if (q[2] != 1 && q[2] != 2)
            return reject();
        settings.lightEffect = q[3];
        settings.lightSpeed = speedOnWire(q[4]);
        if (q[2] == 2)
            settings.lightBrightness = q[5];
        settings.lightColour = q[6];
        settings.lightDirection = q[7];
        return done();
    case command::kGameMode:
        settings.gameMode = q[2];
        return done();
    case command::kPaletteColour:
        if (n >= kPaletteSlotCount)
            return reject();
        std::copy_n(&q[4], 3, &settings.palette[3 * n]);
        // The seven colours of one save are confirmed together, after the last.
        if (n == kPaletteSlotCount - 1)
            done();
        return;
    case command::kReset:
        if (q[2] != 0xFF)
            return reject();
        settings = factorySettings();
        return done();
    case command::readOf(command::kKeyTable):
        return startRead(settings.keyTable);
    case command::readOf(command::kKeyFlags):
        return startRead(settings.keyFlags);
    case command::readOf(command::kMacroSlot):
        if (n >= kMacroSlotCount)
            return reject();
        return startRead(settings.macroSlot(n));
    case command::readOf(command::kCustomLayout):
        if (n >= kCustomLayoutCount)
            return reject();
        return startRead(settings.customLayout(n));
    case command::kKeyTable:
        return startWrite(Area::KeyTable, 0, q[4]);
    case command::kKeyFlags:
        return startWrite(Area::KeyFlags, 0, chunksFor(q[4]));
    case command::kMacroSlot:
        if (n >= kMacroSlotCount)
            return reject();
        return startWrite(Area::MacroSlot, n, q[4]);
    case command::kCustomLayout:
        if (n >= kCustomLayoutCount)
            return reject();
        return startWrite(Area::Layout, n, q[4]);
    default:
        return reject();
    }
    response[8] = requestChecksum(response);
}

bool SimulatedKeyboard::setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) {
    return hostCall([&] {
        if (!countReport())
            return false;
        FeatureReport request;
        std::copy(report.begin(), report.end(), request.begin());
        if (request[0] != 0 || request[8] != requestChecksum(request))
            ++rejected;
        else
            handleRequest(request);
        return true;
    });
}

bool SimulatedKeyboard::getFeature(std::span<std::uint8_t, kFeatureReportSize> report) {
    std::lock_guard lock(mutex);
    if (!countReport())
        return false;
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = faults.garbageResponses ? nextGarbage() : response[i];
    return true;
}

bool SimulatedKeyboard::writeData(std::span<const std::uint8_t, kDataReportSize> report) {
    return hostCall([&] {
        if (!countReport())
            return false;
        if (writeArea == Area::None) {
            ++rejected;
            return true;
        }
        pendingWrite.insert(pendingWrite.end(), report.begin() + 1, report.end());
        if (pendingWrite.size() < expectedChunks * kPayload)
            return true;
        auto area = areaOf(writeArea, writeIndex);
        std::copy_n(pendingWrite.begin(), area.size(), area.begin());
        writeArea = Area::None;
        finishWriteStep();
        return true;
    });
}

bool SimulatedKeyboard::readData(std::span<std::uint8_t, kDataReportSize> report) {
    std::lock_guard lock(mutex);
    if (!countReport())
        return false;
    if ((readChunk + 1) * kPayload > pendingRead.size())
        return false; // nothing to send: the host's read would time out
    report[0] = 0;
    for (std::size_t i = 0; i < kPayload; ++i)
        report[1 + i] =
            faults.garbageResponses ? nextGarbage() : pendingRead[readChunk * kPayload + i];
    ++readChunk;
    return true;
}

InputResult SimulatedKeyboard::readInput(std::span<std::uint8_t, kInputReportSize> report,
                                         int timeoutMs) {
    std::unique_lock lock(mutex);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto ready = [this] {
        releaseLateAck();
        return !isPlugged || !inputs.empty();
    };
    while (!ready()) {
        const auto wakeAt = lateAckDue ? std::min(deadline, *lateAckDue) : deadline;
        if (inputArrived.wait_until(lock, wakeAt) == std::cv_status::timeout &&
            std::chrono::steady_clock::now() >= deadline) {
            ready();
            break;
        }
    }
    if (!isPlugged)
        return InputResult::Error;
    if (inputs.empty())
        return InputResult::Timeout;
    const InputReport next = inputs.front();
    inputs.pop_front();
    std::copy(next.begin(), next.end(), report.begin());
    return InputResult::Report;
}

} // namespace talvex
