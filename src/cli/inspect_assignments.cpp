#include "cli/inspect_assignments.h"

#include <algorithm>
#include <memory>

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

} // namespace

bool assignmentInUse(const KeyAssignment& entry) {
    return entry.type != 0 || entry.keyCount != 0;
}

void reportAssignment(ReportNode& node, const KeyNameTable& names, const DeviceSettings& settings,
                      const KeyAssignments& assignments, std::size_t position) {
    const KeyAssignment& entry = assignments[position];
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

void inspectAssignments(const InspectInput& input, ReportNode& section) {
    DeviceSettings settings = zeroSettings();
    auto assignments = std::make_unique<KeyAssignments>();
    if (!settingsFromBytes(input.bytes, settings) || input.bytes.size() < kKeymapFileSize)
        return;
    const auto entryBytes = input.bytes.subspan(kDeviceSettingsSize, kAssignmentsSize);
    std::copy(entryBytes.begin(), entryBytes.end(), assignments->bytes().begin());

    const KeyNameTable names = buildKeyNameTable();
    section.emptyList("keys");
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (assignmentInUse((*assignments)[p]) || !keyEnabledAt(settings, p))
            reportAssignment(section.item("keys"), names, settings, *assignments, p);
    }
}

} // namespace talvex
