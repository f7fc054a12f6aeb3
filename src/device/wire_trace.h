#pragma once
// The wire trace: one ordered line per report, protocol pause and acknowledgement wait, with
// bytes as two lowercase hex digits separated by single spaces:
//   SET / GET <9 bytes>, WRITE / READ <65 bytes>, INPUT <4 bytes>, PAUSE <ms> (0 = yield),
//   ACK, ACK-TIMEOUT, and EVENT-CHANNEL <reason> <path> when the event channel is chosen (reasons
//   in hid_transport.h).
// GET, READ and INPUT appear only for reports that arrived. Sleeps inside an acknowledgement
// wait are not traced.

#include "device/device_io.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace talvex {

std::string hexBytes(std::span<const std::uint8_t> bytes);

class WireTrace final : public AckObserver {
public:
    using Sink = std::function<void(const std::string& line)>;
    explicit WireTrace(Sink sink) : sink(std::move(sink)) {}

    // Safe from several threads; lines keep the order in which they were written.
    void line(const std::string& text);
    void ackWaitEnded(bool acknowledged) override;

private:
    std::mutex mutex;
    Sink sink;
};

class TracingChannel final : public HidChannel {
public:
    TracingChannel(std::shared_ptr<HidChannel> inner, WireTrace& trace)
        : inner(std::move(inner)), trace(trace) {}

    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) override;
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) override;
    bool writeData(std::span<const std::uint8_t, kDataReportSize> report) override;
    bool readData(std::span<std::uint8_t, kDataReportSize> report) override;
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report, int timeoutMs) override;

private:
    std::shared_ptr<HidChannel> inner;
    WireTrace& trace;
};

class TracingPauser final : public Pauser {
public:
    TracingPauser(Pauser& inner, WireTrace& trace) : inner(inner), trace(trace) {}
    void reportSent() override { inner.reportSent(); }
    void pause(int ms) override;
    void poll(int ms) override { inner.poll(ms); }

private:
    Pauser& inner;
    WireTrace& trace;
};

} // namespace talvex
