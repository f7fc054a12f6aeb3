#pragma once
// A channel that records what is sent and answers gets and data reads from a script.

#include "device/device_io.h"
#include "device/device_settings.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace talvex::testing {

class ScriptedChannel final : public HidChannel {
public:
    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) override {
        sets.emplace_back(report.begin(), report.end());
        return working;
    }
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) override {
        ++gets;
        if (!working || responses.empty())
            return false;
        std::copy(responses.front().begin(), responses.front().end(), report.begin());
        responses.pop_front();
        return true;
    }
    bool writeData(std::span<const std::uint8_t, kDataReportSize> report) override {
        writes.emplace_back(report.begin(), report.end());
        return working;
    }
    bool readData(std::span<std::uint8_t, kDataReportSize> report) override {
        if (!working || dataReports.empty())
            return false;
        std::copy(dataReports.front().begin(), dataReports.front().end(), report.begin());
        dataReports.pop_front();
        return true;
    }
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report, int) override {
        if (inputs.empty())
            return inputError ? InputResult::Error : InputResult::Timeout;
        std::copy(inputs.front().begin(), inputs.front().end(), report.begin());
        inputs.pop_front();
        return InputResult::Report;
    }

    bool working = true;
    bool inputError = false;
    std::vector<std::vector<std::uint8_t>> sets;
    std::vector<std::vector<std::uint8_t>> writes;
    int gets = 0;
    std::deque<FeatureReport> responses;
    std::deque<DataReport> dataReports;
    std::deque<InputReport> inputs;
};

// A scripted channel with a recording pauser, ready for one operation at a time.
struct ChannelHarness {
    ScriptedChannel channel;
    RecordingPauser pauser;
    AckCounter acks;
    DeviceIo io{channel, pauser, acks};
    DeviceSettings s = zeroSettings();
};

} // namespace talvex::testing
