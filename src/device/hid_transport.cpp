#include "device/hid_transport.h"

#include "platform/hid_report_descriptor.h"

namespace talvex {

namespace {

// How each channel is recognised. Windows paths name the USB interface ("mi_03") and the HID
// top-level collection ("col04"); Linux hidraw paths name neither, so there the command channel
// is the node of USB interface 3 and the event channel the node whose report descriptor declares
// the 4-byte input report with identifier 4.
struct ChannelRule {
    ChannelRole role;
    const char* pathText;
    int usbInterface;  // -1: not used by this rule
    int inputReportId; // -1: not used by this rule
    std::size_t inputReportBytes;
};

constexpr ChannelRule kChannelRules[] = {
    {ChannelRole::Command, "mi_03", 3, -1, 0},
    {ChannelRole::Event, "ol04", -1, 4, kInputReportSize},
};

const ChannelRule& ruleFor(ChannelRole role) {
    for (const auto& rule : kChannelRules)
        if (rule.role == role)
            return rule;
    return kChannelRules[0];
}

} // namespace

std::uint8_t requestChecksum(std::span<const std::uint8_t, kFeatureReportSize> report) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < 8; ++i)
        sum += report[i];
    return static_cast<std::uint8_t>(0xFF - sum);
}

FeatureReport makeRequest(std::uint8_t command, const std::array<std::uint8_t, 6>& params) {
    FeatureReport report{};
    report[1] = command;
    for (std::size_t i = 0; i < params.size(); ++i)
        report[2 + i] = params[i];
    report[8] = requestChecksum(report);
    return report;
}

bool isKestrix(const HidInterfaceInfo& info) {
    return info.vendorId == kKestrixVendorId && info.productId == kKestrixProductId;
}

bool matchesChannel(const HidInterfaceInfo& info, ChannelRole role) {
    if (!isKestrix(info))
        return false;
    const ChannelRule& rule = ruleFor(role);
    if (info.path.find(rule.pathText) != std::string::npos)
        return true;
    if (rule.usbInterface >= 0 && info.interfaceNumber == rule.usbInterface)
        return true;
    return rule.inputReportId >= 0 &&
           declaresInputReport(info.reportDescriptor, static_cast<std::uint8_t>(rule.inputReportId),
                               rule.inputReportBytes);
}

std::string findDevicePath(const std::vector<HidInterfaceInfo>& interfaces, ChannelRole role) {
    for (const auto& info : interfaces)
        if (matchesChannel(info, role))
            return info.path;
    return {};
}

} // namespace talvex
