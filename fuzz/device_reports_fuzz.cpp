// Arbitrary bytes as the keyboard's side of the link: as HID report descriptors during
// discovery, as responses and data reports read by the initial read and an apply, and as
// requests and data reports sent to the simulated keyboard. Nothing may read past a buffer,
// and fields the keyboard does not hold must come through untouched.

#include "device/hid_transport.h"
#include "device/sequences.h"
#include "fuzz_check.h"
#include "platform/hid_report_descriptor.h"
#include "simulator/simulated_keyboard.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace talvex;

// A keyboard whose every answer comes from the fuzz input; it fails once the input is used up.
class FuzzChannel final : public HidChannel {
public:
    explicit FuzzChannel(std::span<const std::uint8_t> data) : data(data) {}

    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize>) override { return true; }
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) override {
        return take(report);
    }
    bool writeData(std::span<const std::uint8_t, kDataReportSize>) override { return true; }
    bool readData(std::span<std::uint8_t, kDataReportSize> report) override { return take(report); }
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report, int) override {
        return take(report) ? InputResult::Report : InputResult::Error;
    }

private:
    bool take(std::span<std::uint8_t> out) {
        if (data.size() < out.size())
            return false;
        std::copy_n(data.begin(), out.size(), out.begin());
        data = data.subspan(out.size());
        return true;
    }

    std::span<const std::uint8_t> data;
};

class AckingPauser final : public Pauser {
public:
    explicit AckingPauser(AckCounter& acks) : acks(acks) {}
    void pause(int) override {}
    // Waits acknowledge; the poll that starts a step (0 ms) must not.
    void poll(int ms) override {
        if (ms > 0)
            ++acks;
    }

private:
    AckCounter& acks;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::span<const std::uint8_t> data(bytes, size);

    inputReportBits(data);
    HidInterfaceInfo info;
    info.vendorId = kKestrixVendorId;
    info.productId = kKestrixProductId;
    info.reportDescriptor.assign(data.begin(), data.end());
    matchesChannel(info, ChannelRole::Event);

    FuzzChannel channel(data);
    AckCounter acks;
    AckingPauser pauser(acks);
    DeviceIo io{channel, pauser, acks};
    DeviceSettings working = zeroSettings();
    working.reserved1.fill(0x5A);
    DeviceSettings snapshot = zeroSettings();
    DeviceInfo deviceInfo{};
    FirmwareVersion version{};
    const DeviceResult read = initialRead(io, working, snapshot, deviceInfo, version);
    check(working.reserved1[779] == 0x5A && (!read.ok || snapshot == working));
    check(version[2] == 0 && version[3] == 0);
    working.lightBrightness ^= 1;
    (void)applyChanges(io, working, snapshot);

    // The same bytes as a host talking to the simulated keyboard.
    SimulatedKeyboard keyboard;
    std::size_t at = 0;
    while (at < size) {
        const bool feature = (data[at] & 1) == 0;
        const std::size_t length = feature ? kFeatureReportSize : kDataReportSize;
        if (at + 1 + length > size)
            break;
        if (feature) {
            FeatureReport request;
            std::copy_n(bytes + at + 1, length, request.begin());
            request[8] = requestChecksum(request);
            keyboard.setFeature(request);
            keyboard.getFeature(request);
        } else {
            DataReport report;
            std::copy_n(bytes + at + 1, length, report.begin());
            keyboard.writeData(report);
            keyboard.readData(report);
        }
        at += 1 + length;
    }
    keyboard.pressKey(size % 130);
    return 0;
}
