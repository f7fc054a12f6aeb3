#include "cli/assignment_listing.h"

#include <algorithm>
#include <cstdio>

#include "keys/function_catalogue.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "mainwindow/key_geometry.h"
#include "platform/utf16.h"

namespace talvex {

namespace {

const char* typeName(std::uint8_t type) {
    static constexpr const char* kNames[] = {"single key", "combination", "macro",
                                             "function",   "sound",       "program",
                                             "file",       "folder",      "restore"};
    return type < std::size(kNames) ? kNames[type] : nullptr;
}

std::string quotedUtf8(const std::u16string& text) {
    return "\"" + utf16ToUtf8(text) + "\"";
}

std::string capturedKeys(const KeyNameTable& names, const KeyAssignment& entry) {
    const std::size_t count = std::min<std::size_t>(entry.keyCount, 3);
    std::u16string text = combinationText(names, std::span(entry.data).first(count));
    while (!text.empty() && text.back() == u' ')
        text.pop_back();
    std::string vks;
    for (std::size_t i = 0; i < count; ++i)
        vks += (i ? " " : "") + std::to_string(entry.data[i]);
    return quotedUtf8(text) + " (VK " + vks + ")";
}

} // namespace

bool assignmentInUse(const KeyAssignment& entry) {
    return entry.type != 0 || entry.keyCount != 0;
}

std::string describeAssignment(const KeyNameTable& names, const DeviceSettings& settings,
                               const KeyAssignments& assignments, std::size_t position) {
    const KeyAssignment& entry = assignments[position];
    std::string text =
        std::to_string(position) + " " + std::string(keyGeometry[position].label) + ": ";
    const char* type = typeName(entry.type);
    text += type ? type : "unknown type " + std::to_string(entry.type);

    switch (static_cast<AssignmentType>(entry.type)) {
    case AssignmentType::SingleKey:
    case AssignmentType::Combination:
        if (entry.keyCount > 0)
            text += " " + capturedKeys(names, entry);
        break;
    case AssignmentType::MacroKey:
        text += " " + std::to_string(entry.data[2]);
        break;
    case AssignmentType::Function: {
        const std::u16string_view name = functionNameOfSlot(
            KeySlot{{entry.data[0], entry.data[1], entry.data[2], entry.data[3]}});
        text += name.empty() ? " (none chosen)" : " " + quotedUtf8(std::u16string(name));
        break;
    }
    default:
        if (isHostActionType(entry.type))
            text += " " + quotedUtf8(entry.pathText());
        break;
    }

    const KeySlot slot = readSlot(settings, keyPositions()[position].matrixCell);
    char hex[32];
    std::snprintf(hex, sizeof hex, "; slot %02x %02x %02x %02x", slot.bytes[0], slot.bytes[1],
                  slot.bytes[2], slot.bytes[3]);
    text += hex;
    if (!keyEnabledAt(settings, position))
        text += "; disabled";
    return text;
}

void printAssignmentEntries(std::ostream& out, const KeyNameTable& names,
                            const DeviceSettings& settings, const KeyAssignments& assignments) {
    out << "key assignments:\n";
    bool any = false;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (!assignmentInUse(assignments[p]) && keyEnabledAt(settings, p))
            continue;
        out << "  " << describeAssignment(names, settings, assignments, p) << "\n";
        any = true;
    }
    if (!any)
        out << "  none\n";
}

} // namespace talvex
