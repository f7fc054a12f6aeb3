#pragma once
// A simulated keyboard opened through discovery, with the command channel and the pauses
// traced, and the event channel read whenever an acknowledgement wait polls, so traces of
// sequences are exact and deterministic.

#include "device/device_io.h"
#include "device/device_link.h"
#include "device/event_reader.h"
#include "device/wire_trace.h"
#include "simulator/simulated_keyboard.h"
#include "simulator/simulator_backend.h"

#include <memory>
#include <string>
#include <vector>

namespace talvex::testing {

struct SimulatedLink {
    explicit SimulatedLink(
        std::shared_ptr<SimulatedKeyboard> kb = std::make_shared<SimulatedKeyboard>())
        : keyboard(std::move(kb)), backend(keyboard) {
        pauses.onPoll = [this] { pumpEvents(); };
    }

    void pumpEvents() {
        while (readOneEvent(
                   *link.eventHandle, link.ackCount,
                   [this](std::uint8_t code) { keyEvents.push_back(code); },
                   0) == InputResult::Report) {
        }
    }

    // Drops leftover events and trace lines, e.g. after a read that sent game-mode-on.
    void forget() {
        AckCounter ignored;
        while (readOneEvent(*link.eventHandle, ignored, {}, 0) == InputResult::Report) {
        }
        lines.clear();
        pauses.pauses.clear();
    }

    bool openTraced() {
        const bool open = openKeyboard(backend, link) == KeyboardPresence::Open;
        link.commandHandle = std::make_unique<TracingChannel>(std::move(link.commandHandle), trace);
        return open;
    }

    std::shared_ptr<SimulatedKeyboard> keyboard;
    SimulatorBackend backend;
    DeviceLink link;
    std::vector<std::string> lines;
    std::vector<std::uint8_t> keyEvents;
    WireTrace trace{[this](const std::string& line) { lines.push_back(line); }};
    RecordingPauser pauses;
    TracingPauser pauser{pauses, trace};
    bool opened = openTraced();
    DeviceIo io{*link.commandHandle, pauser, link.ackCount, &trace};
};

} // namespace talvex::testing
