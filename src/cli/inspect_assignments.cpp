#include "cli/inspect_assignments.h"

#include <algorithm>

#include "device/wire_trace.h"
#include "keys/function_catalogue.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"
#include "mainwindow/key_geometry.h"
#include "platform/utf16.h"

namespace talvex {

namespace {

const char* typeName(std::uint8_t type) {
    static constexpr const char* kNames[] = {"single key", "combination", "macro",
                                             "function",   "sound",       "program",
                                             "file",       "folder",      "restore"};
    return type < std::size(kNames) ? kNames[type] : "unknown";
}

void reportCapturedKeys(ReportNode& node, const KeyNameTable& names, const KeyAssignment& entry) {
    const std::size_t count = std::min<std::size_t>(entry.keyCount, 3);
    std::u16string text = combinationText(names, std::span(entry.data).first(count));
    while (!text.empty() && text.back() == u' ')
        text.pop_back();
    std::string vks;
    for (std::size_t i = 0; i < count; ++i)
        vks += (i ? " " : "") + std::to_string(entry.data[i]);
    node.text("keys", utf16ToUtf8(text));
    node.text("vks", vks);
}

void reportEntry(ReportNode& node, const KeyNameTable& names, const DeviceSettings& settings,
                 const KeyAssignment& entry, std::size_t position) {
    node.number("position", static_cast<long long>(position));
    node.text("key", std::string(keyGeometry[position].label));
    node.number("type", entry.type, typeName(entry.type));

    switch (static_cast<AssignmentType>(entry.type)) {
    case AssignmentType::SingleKey:
    case AssignmentType::Combination:
        if (entry.keyCount > 0)
            reportCapturedKeys(node, names, entry);
        break;
    case AssignmentType::MacroKey:
        node.number("macro", entry.data[2]);
        break;
    case AssignmentType::Function:
        node.text("function", utf16ToUtf8(std::u16string(functionNameOfSlot(KeySlot{
                                  {entry.data[0], entry.data[1], entry.data[2], entry.data[3]}}))));
        break;
    default:
        if (isHostActionType(entry.type))
            node.text("path", utf16ToUtf8(entry.pathText()));
        break;
    }

    node.text("slot", hexBytes(readSlot(settings, keyPositions()[position].matrixCell).bytes));
    node.number("enabled", keyEnabledAt(settings, position) ? 1 : 0);
}

} // namespace

bool assignmentInUse(const KeyAssignment& entry) {
    return entry.type != 0 || entry.keyCount != 0;
}

void reportAssignment(ReportNode& node, const KeyNameTable& names, const DeviceSettings& settings,
                      const KeyAssignments& assignments, std::size_t position) {
    reportEntry(node, names, settings, assignments[position], position);
}

void inspectAssignments(const InspectInput& input, ReportNode& section) {
    DeviceSettings settings = zeroSettings();
    if (!settingsFromBytes(input.bytes, settings) || input.bytes.size() < kKeymapFileSize)
        return;
    const auto entryBytes = input.bytes.subspan(kDeviceSettingsSize, kAssignmentsSize);

    const KeyNameTable names = buildKeyNameTable();
    section.emptyList("keys");
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        // One entry at a time: a copy of all 255 is a 196 KB allocation, which under ASan costs
        // the inspect fuzz target more than the whole report.
        KeyAssignment entry;
        std::copy_n(entryBytes.begin() + static_cast<std::ptrdiff_t>(p * kKeyAssignmentSize),
                    kKeyAssignmentSize, reinterpret_cast<std::uint8_t*>(&entry));
        if (assignmentInUse(entry) || !keyEnabledAt(settings, p))
            reportEntry(section.item("keys"), names, settings, entry, p);
    }
}

} // namespace talvex
