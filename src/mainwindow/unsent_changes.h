#pragma once
// The changes the user saved that the keyboard has not received. A save that does not reach the
// keyboard still writes keymap.bin, so without this record the next start could not tell which
// of keymap.bin's values are the user's unsent edits and which merely mirror the keyboard; the
// window keeps it in "unsent.bin" beside keymap.bin.
//
// A key's host entry is not on the keyboard at all, but it has to stay with the slot the
// keyboard holds: the record therefore keeps, for every recorded key, the entry that goes with
// the keyboard's slot (its "keyboard copy"), so a user who chooses not to send gets back an
// entry that matches what the key really does.
//
// File layout, all integers little-endian. It is read back by later versions, so it never moves:
//   offset 0  4 bytes  magic "KXUC"
//   offset 4  1 byte   version, 1
//   offset 5  2 bytes  count of fields
//   offset 7  per field, in any order, each field at most once:
//             1 byte   kind (UnsentFieldKind, 1..5)
//             2 bytes  index (see UnsentFieldKind)
//             772 bytes, Key fields only: the keyboard copy of the key's entry
// Nothing follows the last field. An empty record has no file.

#include "device/device_settings.h"
#include "keys/key_assignment.h"
#include "platform/file_io.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>

namespace talvex {

enum class UnsentFieldKind : std::uint8_t {
    Setting = 1, // index: the byte offset in DeviceSettings of a one-byte setting (report
                 // interval, response time, the five lighting bytes, game mode, Win lock)
    Colour,      // index: palette colour 0..6
    Key,         // index: key position 0..107; its slot, its enable bit and its entry
    MacroSlot,   // index: macro slot 0..31
    LayoutCell,  // index: layout * 128 + cell, over the 5 custom layouts
};

struct UnsentField {
    UnsentFieldKind kind;
    std::uint16_t index;
    auto operator<=>(const UnsentField&) const = default;
};

// Whether a field names something that exists; a file naming anything else is refused.
bool isUnsentField(const UnsentField& field);

class UnsentChanges {
public:
    bool empty() const { return fields_.empty(); }
    std::size_t size() const { return fields_.size(); }
    const std::set<UnsentField>& fields() const { return fields_; }

    // After a save that did not reach the keyboard: the record becomes exactly the fields in
    // which the saved state differs from the keyboard's. A key is compared by slot, enable bit
    // and entry, its entry against its keyboard copy: the one recorded already, or for a key not
    // yet recorded entriesBefore[p] (the saved entries before this save, which still go with
    // the keyboard's slot). A key whose slot, bit and entry all match again leaves the record.
    void recordDifferences(const DeviceSettings& saved, const KeyAssignments& savedEntries,
                           const DeviceSettings& keyboard, const KeyAssignments& entriesBefore);

    // Joins the fields of `other` to this record, for a save whose keyboard state no read
    // vouches for and that may therefore only add. A key recorded in both keeps this record's
    // keyboard copy.
    void add(const UnsentChanges& other);

    // Copies the recorded fields (for a key its slot and enable bit) from `from` onto `onto`.
    void layOver(const DeviceSettings& from, DeviceSettings& onto) const;

    // Gives every recorded key its keyboard copy back: the user chose not to send.
    void restoreKeyboardEntries(KeyAssignments& entries) const;

    void clear();

    bool operator==(const UnsentChanges&) const = default;

private:
    friend FileResult loadUnsentChanges(const std::filesystem::path& file, UnsentChanges& out);
    friend FileResult saveUnsentChanges(const std::filesystem::path& file,
                                        const UnsentChanges& changes);

    std::set<UnsentField> fields_;
    std::map<std::uint16_t, KeyAssignment> keyboardEntries_; // by key position
};

// Missing: `out` empty, status Missing. A file that is not exactly what saveUnsentChanges writes
// is refused whole: `out` empty and a damaged status (WrongSize for every content fault) with a
// message naming the fault. A keyboard copy gets its position's VK, as keymap.bin's entries do.
[[nodiscard]] FileResult loadUnsentChanges(const std::filesystem::path& file, UnsentChanges& out);

// Replaces the file atomically; an empty record removes it (nothing there is success). Whatever
// is at the name that is not a regular file is refused and left alone.
[[nodiscard]] FileResult saveUnsentChanges(const std::filesystem::path& file,
                                           const UnsentChanges& changes);

} // namespace talvex
