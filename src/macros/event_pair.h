#pragma once
// A macro's two event sequences under edit: the device codes the keyboard plays and the
// virtual-key codes the event list is read from. Every change goes to both at the same offset,
// so the two stay byte for byte in step and differ only in each event's code byte.

#include "macros/macro_record.h"
#include "macros/macro_sequence.h"

#include <cstddef>
#include <cstdint>

namespace talvex {

struct MacroEvent;

class EventPair {
public:
    const EventBuffer& deviceEvents() const { return device_; }
    const EventBuffer& keyEvents() const { return key_; }
    // The walk of the key-code sequence, which both sequences share.
    SequenceLayout layout() const { return layoutSequence(key_); }
    std::size_t endOffset() const { return layout().endOffset; }
    std::size_t freeBytes() const { return kMacroEventBytes - endOffset(); }

    void clear();
    // A file may hold anything: the device sequence gets the flag and delay bytes of the
    // key-code sequence the list is built from, and both end after its last event, so that every
    // later edit works on a well-formed pair.
    void load(const MacroRecord& record);
    void storeInto(MacroRecord& record) const;

    // Writes the event after the last one; the key-code sequence gets `vk` as its code.
    void append(const MacroEvent& event, std::uint8_t vk);
    // Inserts a two-byte event at `offset`. The caller has checked that it fits.
    void insert(std::size_t offset, std::uint8_t flag, std::uint8_t deviceCode,
                std::uint8_t keyCode);
    void remove(const SequenceEvent& event);
    // Re-encodes the event with a new wait, growing or shrinking it in both sequences; false,
    // with nothing changed, when it would no longer fit.
    bool replaceDelay(const SequenceEvent& event, int delayMs);

private:
    EventBuffer device_{};
    EventBuffer key_{};
};

} // namespace talvex
