#include "device/commands.h"

#include "device/hid_transport.h"

namespace talvex {

namespace {

// Set, pause, get into a zeroed buffer, pause. The response counts only when the request went
// out and the whole response came back. Both pauses are kept even after a failure, so the
// keyboard gets its time whatever happened.
bool exchange(DeviceIo& io, const FeatureReport& request, int pauseAfterSet, int pauseAfterGet,
              FeatureReport& response) {
    const bool sent = setFeature(io, request);
    io.pauser.pause(pauseAfterSet);
    response.fill(0);
    const bool received = getFeature(io, response);
    io.pauser.pause(pauseAfterGet);
    return sent && received;
}

DeviceResult send(DeviceIo& io, const FeatureReport& request, int pauseAfter, DevicePart part,
                  std::size_t index = 0) {
    const bool sent = setFeature(io, request);
    io.pauser.pause(pauseAfter);
    return sent ? DeviceResult{} : DeviceResult::failure(part, index);
}

DeviceResult readOne(DeviceIo& io, std::uint8_t writeCommand, int pauseAfterSet, int pauseAfterGet,
                     DevicePart part, std::uint8_t& into, std::size_t at = 2) {
    FeatureReport resp;
    if (!exchange(io, makeRequest(command::readOf(writeCommand)), pauseAfterSet, pauseAfterGet,
                  resp))
        return DeviceResult::failure(part);
    into = resp[at];
    return {};
}

constexpr std::uint8_t speedOnWire(std::uint8_t speed) {
    return static_cast<std::uint8_t>(10 - speed);
}

} // namespace

DeviceResult readDeviceInfo(DeviceIo& io, DeviceInfo& deviceInfo) {
    FeatureReport resp;
    if (!exchange(io, makeRequest(command::kDeviceInfo), 10, 10, resp))
        return DeviceResult::failure(DevicePart::DeviceInfo);
    for (std::size_t i = 0; i < deviceInfo.size(); ++i)
        deviceInfo[i] = resp[1 + i];
    return {};
}

FirmwareVersion firmwareVersionOf(const DeviceInfo& deviceInfo) {
    return {deviceInfo[1], deviceInfo[2], 0, 0};
}

DeviceResult readReportInterval(DeviceIo& io, DeviceSettings& s) {
    return readOne(io, command::kReportInterval, 10, 10, DevicePart::ReportRate, s.reportInterval);
}

DeviceResult readResponseTime(DeviceIo& io, DeviceSettings& s) {
    return readOne(io, command::kResponseTime, 10, 10, DevicePart::ResponseTime, s.responseTime);
}

DeviceResult readLighting(DeviceIo& io, DeviceSettings& s) {
    FeatureReport resp;
    if (!exchange(io, makeRequest(command::readOf(command::kLighting)), 10, 0, resp))
        return DeviceResult::failure(DevicePart::Lighting);
    s.lightEffect = resp[3];
    s.lightSpeed = speedOnWire(resp[4]); // the same rule maps both ways
    s.lightBrightness = resp[5];
    s.lightColour = resp[6];
    s.lightDirection = resp[7];
    return {};
}

DeviceResult readGameMode(DeviceIo& io, DeviceSettings& s) {
    return readOne(io, command::kGameMode, 5, 0, DevicePart::GameMode, s.gameMode);
}

DeviceResult readPaletteColour(DeviceIo& io, DeviceSettings& s, std::size_t slot) {
    if (slot >= kPaletteSlotCount)
        return DeviceResult::failure(DevicePart::Palette, slot);
    FeatureReport resp;
    const auto n = static_cast<std::uint8_t>(slot);
    if (!exchange(io, makeRequest(command::readOf(command::kPaletteColour), {0, n}), 1, 1, resp))
        return DeviceResult::failure(DevicePart::Palette, slot);
    for (std::size_t c = 0; c < 3; ++c)
        s.palette[3 * slot + c] = resp[4 + c];
    return {};
}

DeviceResult writeReportInterval(DeviceIo& io, const DeviceSettings& s) {
    return send(io, makeRequest(command::kReportInterval, {s.reportInterval}), 10,
                DevicePart::ReportRate);
}

DeviceResult writeResponseTime(DeviceIo& io, const DeviceSettings& s) {
    return send(io, makeRequest(command::kResponseTime, {s.responseTime}), 10,
                DevicePart::ResponseTime);
}

DeviceResult writeLighting(DeviceIo& io, const DeviceSettings& s, LightingStage stage) {
    const std::uint8_t brightness = stage == LightingStage::Close ? s.lightBrightness : 0;
    return send(io,
                makeRequest(command::kLighting, {static_cast<std::uint8_t>(stage), s.lightEffect,
                                                 speedOnWire(s.lightSpeed), brightness,
                                                 s.lightColour, s.lightDirection}),
                10, DevicePart::Lighting);
}

DeviceResult writeGameMode(DeviceIo& io, DeviceSettings& s) {
    const DeviceResult result =
        send(io, makeRequest(command::kGameMode, {s.gameMode}), 20, DevicePart::GameMode);
    foldWinLock(s);
    return result;
}

DeviceResult writePaletteColour(DeviceIo& io, const DeviceSettings& s, std::size_t slot) {
    if (slot >= kPaletteSlotCount)
        return DeviceResult::failure(DevicePart::Palette, slot);
    const std::uint8_t* rgb = &s.palette[3 * slot];
    return send(io,
                makeRequest(command::kPaletteColour,
                            {0, static_cast<std::uint8_t>(slot), rgb[0], rgb[1], rgb[2], 0}),
                20, DevicePart::Palette, slot);
}

DeviceResult sendResetRequest(DeviceIo& io) {
    return send(io, makeRequest(command::kReset, {0xFF}), 300, DevicePart::Reset);
}

DeviceResult sendGameModeOn(DeviceIo& io) {
    return send(io, makeRequest(command::kGameMode, {1}), 20, DevicePart::GameMode);
}

void foldWinLock(DeviceSettings& s) {
    if (s.winLock == 1)
        s.keyFlags[1] &= 0x3E;
    else
        s.keyFlags[1] |= 0x01;
}

void unfoldWinLock(DeviceSettings& s) {
    s.winLock = (s.keyFlags[1] & 0x01) == 0 ? 1 : 0;
}

} // namespace talvex
