#include "device/wire_trace.h"

#include <cstdio>

namespace talvex {

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, i == 0 ? "%02x" : " %02x", bytes[i]);
        out += digits;
    }
    return out;
}

void WireTrace::line(const std::string& text) {
    std::lock_guard lock(mutex);
    sink(text);
}

void WireTrace::ackWaitEnded(bool acknowledged) {
    line(acknowledged ? "ACK" : "ACK-TIMEOUT");
}

bool TracingChannel::setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) {
    trace.line("SET " + hexBytes(report));
    return inner->setFeature(report);
}

bool TracingChannel::getFeature(std::span<std::uint8_t, kFeatureReportSize> report) {
    const bool ok = inner->getFeature(report);
    if (ok)
        trace.line("GET " + hexBytes(report));
    return ok;
}

bool TracingChannel::writeData(std::span<const std::uint8_t, kDataReportSize> report) {
    trace.line("WRITE " + hexBytes(report));
    return inner->writeData(report);
}

bool TracingChannel::readData(std::span<std::uint8_t, kDataReportSize> report) {
    const bool ok = inner->readData(report);
    if (ok)
        trace.line("READ " + hexBytes(report));
    return ok;
}

InputResult TracingChannel::readInput(std::span<std::uint8_t, kInputReportSize> report,
                                      int timeoutMs) {
    const InputResult result = inner->readInput(report, timeoutMs);
    if (result == InputResult::Report)
        trace.line("INPUT " + hexBytes(report));
    return result;
}

void TracingPauser::pause(int ms) {
    trace.line("PAUSE " + std::to_string(ms));
    inner.pause(ms);
}

} // namespace talvex
