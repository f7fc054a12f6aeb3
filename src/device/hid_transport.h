#pragma once
// Finding the keyboard's two channels and framing the feature reports that cross them.

#include "platform/hid.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

inline constexpr std::uint16_t kKestrixVendorId = 0x04D9;
inline constexpr std::uint16_t kKestrixProductId = 0xA129;

// Byte 8 of a request: bytes 1..8 add up to 0xFF modulo 256. Byte 0 takes no part.
std::uint8_t requestChecksum(std::span<const std::uint8_t, kFeatureReportSize> report);

// A request with the command in byte 1, `params` in bytes 2..7 and the checksum in byte 8.
FeatureReport makeRequest(std::uint8_t command, const std::array<std::uint8_t, 6>& params = {});

bool isKestrix(const HidInterfaceInfo& info);

// Whether `info` is the interface that carries the channel of `role`.
bool matchesChannel(const HidInterfaceInfo& info, ChannelRole role);

// The event channel's interface and why it was taken over the other candidates, for the wire
// trace: "only-candidate", "interface-3", "vendor-page" or "listed-first". The path is empty
// when no interface carries the channel.
struct EventChannelChoice {
    std::string path;
    std::string_view reason;
};
EventChannelChoice chooseEventChannel(const std::vector<HidInterfaceInfo>& interfaces);

// The path of the interface that carries the channel (the first listed for the command channel,
// chooseEventChannel's for the event channel), or empty when none does.
std::string findDevicePath(const std::vector<HidInterfaceInfo>& interfaces, ChannelRole role);

} // namespace talvex
