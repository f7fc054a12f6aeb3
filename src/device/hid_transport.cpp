#include "device/hid_transport.h"

#include "platform/hid_report_descriptor.h"

#include <optional>

namespace talvex {

namespace {

// How each channel is recognised. Windows paths name the USB interface ("mi_03") and the HID
// top-level collection ("col04"); Linux hidraw paths name neither, so there the command channel
// is the node of USB interface 3 and the event channel a node whose report descriptor declares
// the 4-byte input report with identifier 4.
struct ChannelRule {
    ChannelRole role;
    const char* pathText;
    int usbInterface;  // -1: not used by this rule
    int inputReportId; // -1: not used by this rule
    std::size_t inputReportBytes;
};

constexpr int kCommandInterface = 3;

constexpr ChannelRule kChannelRules[] = {
    {ChannelRole::Command, "mi_03", kCommandInterface, -1, 0},
    {ChannelRole::Event, "ol04", -1, 4, kInputReportSize},
};

// Other devices use report 4 for their own things too, so when several of the keyboard's nodes
// declare it, the first row that one of them fits decides, in listing order within a row. The
// keyboard sends its events beside its commands on interface 3, in a vendor-defined collection.
struct EventPreference {
    int usbInterface; // -1: any
    bool vendorDefined;
    std::string_view reason;
};

constexpr EventPreference kEventPreferences[] = {
    {kCommandInterface, false, "interface-3"},
    {-1, true, "vendor-page"},
    {-1, false, "listed-first"},
};

const ChannelRule& ruleFor(ChannelRole role) {
    for (const auto& rule : kChannelRules)
        if (rule.role == role)
            return rule;
    return kChannelRules[0];
}

struct Candidate {
    const HidInterfaceInfo* info;
    bool vendorDefined;
};

// Whether `info` carries the channel of `role`. Only a descriptor tells whether the event report
// lies in a vendor-defined collection; a Windows path names the collection but has none.
std::optional<Candidate> asCandidate(const HidInterfaceInfo& info, ChannelRole role) {
    if (!isKestrix(info))
        return std::nullopt;
    const ChannelRule& rule = ruleFor(role);
    if (info.path.find(rule.pathText) != std::string::npos)
        return Candidate{&info, false};
    if (rule.usbInterface >= 0 && info.interfaceNumber == rule.usbInterface)
        return Candidate{&info, false};
    if (rule.inputReportId < 0)
        return std::nullopt;
    const auto report =
        declaredInputReport(info.reportDescriptor, static_cast<std::uint8_t>(rule.inputReportId),
                            rule.inputReportBytes);
    if (!report)
        return std::nullopt;
    return Candidate{&info, report->vendorDefined};
}

bool fits(const Candidate& candidate, const EventPreference& preference) {
    return (preference.usbInterface < 0 ||
            candidate.info->interfaceNumber == preference.usbInterface) &&
           (!preference.vendorDefined || candidate.vendorDefined);
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
    return asCandidate(info, role).has_value();
}

EventChannelChoice chooseEventChannel(const std::vector<HidInterfaceInfo>& interfaces) {
    std::vector<Candidate> candidates;
    for (const auto& info : interfaces)
        if (auto candidate = asCandidate(info, ChannelRole::Event))
            candidates.push_back(*candidate);
    for (const auto& preference : kEventPreferences)
        for (const auto& candidate : candidates)
            if (fits(candidate, preference))
                return {candidate.info->path,
                        candidates.size() == 1 ? "only-candidate" : preference.reason};
    return {};
}

std::string findDevicePath(const std::vector<HidInterfaceInfo>& interfaces, ChannelRole role) {
    if (role == ChannelRole::Event)
        return chooseEventChannel(interfaces).path;
    for (const auto& info : interfaces)
        if (matchesChannel(info, role))
            return info.path;
    return {};
}

} // namespace talvex
