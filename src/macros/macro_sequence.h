#pragma once
// How an event sequence reads as list lines. Every event has a key line ("A  dn", "A  up");
// every event but the first that waits 2 ms or more has a "%d ms" line before it. The lines shown
// and every line-to-event lookup come from the one walk below, so they cannot disagree, whatever
// bytes a file holds.

#include "keys/key_name_table.h"
#include "macros/macro_record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace talvex {

using EventBytes = std::span<const std::uint8_t, kMacroEventBytes>;

struct SequenceEvent {
    std::size_t offset = 0; // byte offset, the same in both sequences of a macro
    std::size_t size = 2;   // 2, or 4 with an extended delay
    bool release = false;
    std::uint8_t code = 0;
    int delayMs = 0;
    bool delayLine = false; // a "%d ms" line comes before the key line
    std::size_t firstLine = 0;

    std::size_t lineCount() const { return delayLine ? 2 : 1; }
    std::size_t keyLine() const { return firstLine + lineCount() - 1; }
    std::size_t end() const { return offset + size; }
};

struct SequenceLayout {
    std::vector<SequenceEvent> events;
    std::size_t endOffset = 0; // just after the last event: where recording appends
    std::size_t lineCount = 0;

    // The event whose lines include `line`; null past the last line.
    const SequenceEvent* eventAtLine(std::size_t line) const;
    // The line is the "%d ms" line of an event.
    bool isDelayLine(std::size_t line) const;
};

// Walks the events from byte 0. The sequence ends at the first event whose code byte is 0 or
// that does not fit whole in the buffer.
SequenceLayout layoutSequence(EventBytes events);

// Byte offset of the event that starts at `line`; the end of the sequence when `line` is the
// line count. A line inside an event gives the next event's offset.
std::size_t lineToEvent(const SequenceLayout& layout, std::size_t line);

std::u16string delayLineText(int delayMs);
std::u16string keyLineText(const std::u16string& keyName, bool release);

// The lines of a sequence of virtual-key codes, as the event list shows them.
std::vector<std::u16string> sequenceLines(EventBytes keyEvents, const KeyNameTable& names);

} // namespace talvex
