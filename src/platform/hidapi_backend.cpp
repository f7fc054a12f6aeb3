#include "platform/hidapi_backend.h"

#include "platform/file_io.h"
#include "platform/hid_read_lengths.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace talvex {

namespace {

// A synchronous data read on a keyboard that stopped answering would otherwise block forever.
constexpr int kDataReadTimeoutMs = 1000;
constexpr std::size_t kMaxDescriptorBytes = 4096;
constexpr std::uint8_t kEventReportId = 4;

std::vector<std::uint8_t> sysfsReportDescriptor(const std::string& path) {
    const std::string prefix = "/dev/";
    if (path.rfind(prefix, 0) != 0)
        return {};
    const std::string node = path.substr(prefix.size());
    if (node.find('/') != std::string::npos)
        return {};
    auto bytes = readFileBytes("/sys/class/hidraw/" + node + "/device/report_descriptor",
                               kMaxDescriptorBytes);
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

bool isEventReport(const std::uint8_t* data, int length) {
    return length == static_cast<int>(kInputReportSize) && data[0] == kEventReportId;
}

// When the command and event channels share one hidraw node, each reader sees every input
// report; each channel keeps only its own kind and drops the other.
class HidapiChannel final : public HidChannel {
public:
    explicit HidapiChannel(hid_device* device) : device(device) {}
    ~HidapiChannel() override { hid_close(device); }
    HidapiChannel(const HidapiChannel&) = delete;
    HidapiChannel& operator=(const HidapiChannel&) = delete;

    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) override {
        return hid_send_feature_report(device, report.data(), report.size()) >= 0;
    }

    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) override {
        std::uint8_t buffer[kFeatureReportSize] = {};
        buffer[0] = report[0];
        if (!isWholeFeatureReport(hid_get_feature_report(device, buffer, sizeof buffer)))
            return false;
        std::copy(std::begin(buffer), std::end(buffer), report.begin());
        return true;
    }

    bool writeData(std::span<const std::uint8_t, kDataReportSize> report) override {
        return hid_write(device, report.data(), report.size()) >= 0;
    }

    bool readData(std::span<std::uint8_t, kDataReportSize> report) override {
        const auto deadline = Clock::now() + std::chrono::milliseconds(kDataReadTimeoutMs);
        for (;;) {
            std::uint8_t buffer[kDataReportSize] = {};
            const int n = hid_read_timeout(device, buffer, sizeof buffer, remainingMs(deadline));
            if (n <= 0)
                return false;
            if (isEventReport(buffer, n))
                continue;
            return takeDataReport(std::span(buffer, static_cast<std::size_t>(n)), report);
        }
    }

    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report,
                          int timeoutMs) override {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            std::uint8_t buffer[kDataReportSize] = {};
            const int n = hid_read_timeout(device, buffer, sizeof buffer, remainingMs(deadline));
            if (n < 0)
                return InputResult::Error;
            if (n == 0)
                return InputResult::Timeout;
            if (isEventReport(buffer, n)) {
                std::copy(buffer, buffer + kInputReportSize, report.begin());
                return InputResult::Report;
            }
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    static int remainingMs(Clock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }

    hid_device* device;
};

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend() { hid_init(); }
    ~HidapiBackend() override { hid_exit(); }
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidInterfaceInfo> enumerate() override {
        std::vector<HidInterfaceInfo> out;
        hid_device_info* list = hid_enumerate(0, 0);
        for (hid_device_info* d = list; d; d = d->next) {
            HidInterfaceInfo info;
            info.path = d->path ? d->path : "";
            info.vendorId = d->vendor_id;
            info.productId = d->product_id;
            info.interfaceNumber = d->interface_number;
            info.usagePage = d->usage_page;
            info.usage = d->usage;
            info.reportDescriptor = sysfsReportDescriptor(info.path);
            out.push_back(std::move(info));
        }
        hid_free_enumeration(list);
        return out;
    }

    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole) override {
        hid_device* device = hid_open_path(path.c_str());
        if (!device)
            return nullptr;
        return std::make_unique<HidapiChannel>(device);
    }
};

} // namespace

std::unique_ptr<HidBackend> makeHidapiBackend() {
    return std::make_unique<HidapiBackend>();
}

} // namespace talvex
