#pragma once
// The HID port: the only way reports reach the keyboard. A backend lists the HID interfaces of
// the machine and opens one of them as a channel; a channel moves the keyboard's three report
// shapes. Every call says whether it succeeded; the protocol code decides what a failure means.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace talvex {

inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kDataReportSize = 65;
inline constexpr std::size_t kInputReportSize = 4;

using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;
using DataReport = std::array<std::uint8_t, kDataReportSize>;
using InputReport = std::array<std::uint8_t, kInputReportSize>;

// One HID interface (on Linux one hidraw node) as the operating system lists it.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1; // USB interface number; -1 when the bus has none
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // The interface's HID report descriptor when the platform exposes it (Linux sysfs), else empty.
    std::vector<std::uint8_t> reportDescriptor;
};

enum class ChannelRole { Command, Event };

enum class InputResult { Report, Timeout, Error };

class HidChannel {
public:
    virtual ~HidChannel() = default;
    // Feature reports of 9 bytes; byte 0 is the report identifier (0).
    virtual bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) = 0;
    virtual bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) = 0;
    // Data reports of 65 bytes; byte 0 is the report identifier (0 when writing).
    virtual bool writeData(std::span<const std::uint8_t, kDataReportSize> report) = 0;
    virtual bool readData(std::span<std::uint8_t, kDataReportSize> report) = 0;
    // Waits at most timeoutMs for one 4-byte input report (byte 0 = report identifier 4).
    virtual InputResult readInput(std::span<std::uint8_t, kInputReportSize> report,
                                  int timeoutMs) = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    // Opens the interface at `path`; null when it cannot be opened.
    virtual std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole role) = 0;
};

} // namespace talvex
