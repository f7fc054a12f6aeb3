#include "macros/event_pair.h"

#include "macros/macro_event.h"

#include <algorithm>
#include <array>
#include <span>

namespace talvex {

namespace {

// The caller has checked that only zero bytes are pushed past the end.
void insertBytes(EventBuffer& buffer, std::size_t at, std::span<const std::uint8_t> bytes) {
    std::copy_backward(buffer.begin() + at, buffer.end() - bytes.size(), buffer.end());
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + at);
}

void removeBytes(EventBuffer& buffer, std::size_t at, std::size_t count) {
    std::copy(buffer.begin() + at + count, buffer.end(), buffer.begin() + at);
    std::fill(buffer.end() - count, buffer.end(), 0);
}

} // namespace

void EventPair::clear() {
    device_.fill(0);
    key_.fill(0);
}

void EventPair::load(const MacroRecord& record) {
    device_ = record.deviceEvents;
    key_ = record.keyEvents;
    const SequenceLayout current = layout();
    for (const SequenceEvent& event : current.events)
        for (std::size_t i = event.offset; i < event.end(); ++i)
            if (i != event.offset + 1)
                device_[i] = key_[i];
    std::fill(device_.begin() + current.endOffset, device_.end(), 0);
    std::fill(key_.begin() + current.endOffset, key_.end(), 0);
}

void EventPair::storeInto(MacroRecord& record) const {
    record.deviceEvents = device_;
    record.keyEvents = key_;
}

void EventPair::append(const MacroEvent& event, std::uint8_t vk) {
    const std::size_t at = endOffset();
    std::copy(event.bytes.begin(), event.bytes.begin() + event.size, device_.begin() + at);
    std::copy(event.bytes.begin(), event.bytes.begin() + event.size, key_.begin() + at);
    key_[at + 1] = vk;
}

void EventPair::insert(std::size_t offset, std::uint8_t flag, std::uint8_t deviceCode,
                       std::uint8_t keyCode) {
    const std::array<std::uint8_t, 2> deviceBytes{flag, deviceCode};
    const std::array<std::uint8_t, 2> keyBytes{flag, keyCode};
    insertBytes(device_, offset, deviceBytes);
    insertBytes(key_, offset, keyBytes);
}

void EventPair::remove(const SequenceEvent& event) {
    removeBytes(device_, event.offset, event.size);
    removeBytes(key_, event.offset, event.size);
}

bool EventPair::replaceDelay(const SequenceEvent& event, int delayMs) {
    const MacroEvent encoded = encodeMacroEvent(event.release, event.code, delayMs);
    if (encoded.size > event.size) {
        const std::size_t grow = encoded.size - event.size;
        if (freeBytes() < grow)
            return false;
        const std::array<std::uint8_t, 2> room{};
        insertBytes(device_, event.end(), std::span(room).first(grow));
        insertBytes(key_, event.end(), std::span(room).first(grow));
    } else if (encoded.size < event.size) {
        const std::size_t shrink = event.size - encoded.size;
        removeBytes(device_, event.offset + encoded.size, shrink);
        removeBytes(key_, event.offset + encoded.size, shrink);
    }
    // The code byte (offset 1) is the one the sequences differ in; it stays as it is.
    for (std::size_t i = 0; i < encoded.size; ++i) {
        if (i == 1)
            continue;
        device_[event.offset + i] = encoded.bytes[i];
        key_[event.offset + i] = encoded.bytes[i];
    }
    return true;
}

} // namespace talvex
