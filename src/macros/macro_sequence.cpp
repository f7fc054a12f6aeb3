#include "macros/macro_sequence.h"

#include "macros/macro_event.h"

#include <cstdio>

namespace talvex {

const SequenceEvent* SequenceLayout::eventAtLine(std::size_t line) const {
    for (const SequenceEvent& event : events)
        if (line >= event.firstLine && line <= event.keyLine())
            return &event;
    return nullptr;
}

bool SequenceLayout::isDelayLine(std::size_t line) const {
    const SequenceEvent* event = eventAtLine(line);
    return event && event->delayLine && event->firstLine == line;
}

SequenceLayout layoutSequence(EventBytes events) {
    SequenceLayout layout;
    std::size_t offset = 0;
    while (offset + 2 <= events.size()) {
        std::uint8_t flag = events[offset];
        SequenceEvent event;
        event.offset = offset;
        event.size = eventSize(flag);
        event.code = events[offset + 1];
        if (event.code == 0 || event.end() > events.size())
            break;
        event.release = isRelease(flag);
        event.delayMs = eventDelayMs(events, offset);
        std::uint8_t code = delayCode(flag);
        event.delayLine = !layout.events.empty() && code > kNoDelayCode;
        event.firstLine = layout.lineCount;
        layout.lineCount += event.lineCount();
        offset = event.end();
        layout.events.push_back(event);
    }
    layout.endOffset = offset;
    return layout;
}

std::size_t lineToEvent(const SequenceLayout& layout, std::size_t line) {
    for (const SequenceEvent& event : layout.events)
        if (event.firstLine >= line)
            return event.offset;
    return layout.endOffset;
}

std::u16string delayLineText(int delayMs) {
    char text[16];
    std::snprintf(text, sizeof text, "%d ms", delayMs);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string keyLineText(const std::u16string& keyName, bool release) {
    return keyName + (release ? u" up" : u" dn");
}

std::vector<std::u16string> sequenceLines(EventBytes keyEvents, const KeyNameTable& names) {
    std::vector<std::u16string> lines;
    for (const SequenceEvent& event : layoutSequence(keyEvents).events) {
        if (event.delayLine)
            lines.push_back(delayLineText(event.delayMs));
        lines.push_back(keyLineText(names.name(event.code), event.release));
    }
    return lines;
}

} // namespace talvex
