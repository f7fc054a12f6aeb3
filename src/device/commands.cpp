#include "device/commands.h"

#include "device/hid_transport.h"

namespace talvex {

namespace {

// Set, pause, get into a zeroed buffer, pause. False when no response arrived.
bool exchange(DeviceIo& io, const FeatureReport& request, int pauseAfterSet, int pauseAfterGet,
              FeatureReport& response) {
    io.channel.setFeature(request);
    io.pauser.pause(pauseAfterSet);
    response.fill(0);
    const bool received = io.channel.getFeature(response);
    io.pauser.pause(pauseAfterGet);
    return received;
}

void send(DeviceIo& io, const FeatureReport& request, int pauseAfter) {
    io.channel.setFeature(request);
    io.pauser.pause(pauseAfter);
}

constexpr std::uint8_t speedOnWire(std::uint8_t speed) {
    return static_cast<std::uint8_t>(10 - speed);
}

} // namespace

void readDeviceInfo(DeviceIo& io, DeviceInfo& deviceInfo) {
    FeatureReport resp;
    if (!exchange(io, makeRequest(command::kDeviceInfo), 10, 10, resp))
        return;
    for (std::size_t i = 0; i < deviceInfo.size(); ++i)
        deviceInfo[i] = resp[1 + i];
}

FirmwareVersion firmwareVersionOf(const DeviceInfo& deviceInfo) {
    return {deviceInfo[1], deviceInfo[2], 0, 0};
}

void readReportInterval(DeviceIo& io, DeviceSettings& s) {
    FeatureReport resp;
    if (exchange(io, makeRequest(command::readOf(command::kReportInterval)), 10, 10, resp))
        s.reportInterval = resp[2];
}

void readResponseTime(DeviceIo& io, DeviceSettings& s) {
    FeatureReport resp;
    if (exchange(io, makeRequest(command::readOf(command::kResponseTime)), 10, 10, resp))
        s.responseTime = resp[2];
}

void readLighting(DeviceIo& io, DeviceSettings& s) {
    FeatureReport resp;
    if (!exchange(io, makeRequest(command::readOf(command::kLighting)), 10, 0, resp))
        return;
    s.lightEffect = resp[3];
    s.lightSpeed = speedOnWire(resp[4]); // the same rule maps both ways
    s.lightBrightness = resp[5];
    s.lightColour = resp[6];
    s.lightDirection = resp[7];
}

void readGameMode(DeviceIo& io, DeviceSettings& s) {
    FeatureReport resp;
    if (exchange(io, makeRequest(command::readOf(command::kGameMode)), 5, 0, resp))
        s.gameMode = resp[2];
}

void readPaletteColour(DeviceIo& io, DeviceSettings& s, std::size_t slot) {
    if (slot >= kPaletteSlotCount)
        return;
    FeatureReport resp;
    const auto n = static_cast<std::uint8_t>(slot);
    if (!exchange(io, makeRequest(command::readOf(command::kPaletteColour), {0, n}), 1, 1, resp))
        return;
    for (std::size_t c = 0; c < 3; ++c)
        s.palette[3 * slot + c] = resp[4 + c];
}

void writeReportInterval(DeviceIo& io, const DeviceSettings& s) {
    send(io, makeRequest(command::kReportInterval, {s.reportInterval}), 10);
}

void writeResponseTime(DeviceIo& io, const DeviceSettings& s) {
    send(io, makeRequest(command::kResponseTime, {s.responseTime}), 10);
}

void writeLighting(DeviceIo& io, const DeviceSettings& s, LightingStage stage) {
    const std::uint8_t brightness = stage == LightingStage::Close ? s.lightBrightness : 0;
    send(io,
         makeRequest(command::kLighting,
                     {static_cast<std::uint8_t>(stage), s.lightEffect, speedOnWire(s.lightSpeed),
                      brightness, s.lightColour, s.lightDirection}),
         10);
}

void writeGameMode(DeviceIo& io, DeviceSettings& s) {
    send(io, makeRequest(command::kGameMode, {s.gameMode}), 20);
    foldWinLock(s);
}

void writePaletteColour(DeviceIo& io, const DeviceSettings& s, std::size_t slot) {
    if (slot >= kPaletteSlotCount)
        return;
    const std::uint8_t* rgb = &s.palette[3 * slot];
    send(io,
         makeRequest(command::kPaletteColour,
                     {0, static_cast<std::uint8_t>(slot), rgb[0], rgb[1], rgb[2], 0}),
         20);
}

void sendResetRequest(DeviceIo& io) {
    send(io, makeRequest(command::kReset, {0xFF}), 300);
}

void sendGameModeOn(DeviceIo& io) {
    send(io, makeRequest(command::kGameMode, {1}), 20);
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
