#include "mainwindow/unsent_changes.h"

#include "keys/key_positions.h"
#include "keys/key_slot.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'K', 'X', 'U', 'C'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderSize = 7;
constexpr std::size_t kFieldHeadSize = 3;
constexpr std::size_t kColourSize = 3;
constexpr std::size_t kLayoutCellSize = 4;
constexpr std::size_t kLayoutCellCount = kCustomLayoutCount * kCustomLayoutSize / kLayoutCellSize;

constexpr std::array<std::uint16_t, 9> kSettingOffsets = {
    offsetof(DeviceSettings, reportInterval),  offsetof(DeviceSettings, responseTime),
    offsetof(DeviceSettings, lightEffect),     offsetof(DeviceSettings, lightSpeed),
    offsetof(DeviceSettings, lightBrightness), offsetof(DeviceSettings, lightColour),
    offsetof(DeviceSettings, lightDirection),  offsetof(DeviceSettings, gameMode),
    offsetof(DeviceSettings, winLock),
};

constexpr std::size_t kFieldCount = kSettingOffsets.size() + kPaletteSlotCount + kKeyPositionCount +
                                    kMacroSlotCount + kLayoutCellCount;
// A record of every field; anything longer cannot be one.
constexpr std::size_t kMaxFileSize =
    kHeaderSize + kFieldCount * kFieldHeadSize + kKeyPositionCount * kKeyAssignmentSize;

struct ByteRange {
    std::size_t offset;
    std::size_t length;
};

// Where a field other than a key lives in the settings image.
ByteRange rangeOf(const UnsentField& field) {
    switch (field.kind) {
    case UnsentFieldKind::Setting:
        return {field.index, 1};
    case UnsentFieldKind::Colour:
        return {offsetof(DeviceSettings, palette) + field.index * kColourSize, kColourSize};
    case UnsentFieldKind::MacroSlot:
        return {offsetof(DeviceSettings, macroSlots) + field.index * kMacroSlotSize,
                kMacroSlotSize};
    case UnsentFieldKind::LayoutCell:
        return {offsetof(DeviceSettings, customLayouts) + field.index * kLayoutCellSize,
                kLayoutCellSize};
    case UnsentFieldKind::Key:
        break;
    }
    return {0, 0};
}

std::size_t cellOf(std::uint16_t position) {
    return keyPositions()[position].matrixCell;
}

bool sameKeyOnKeyboard(const DeviceSettings& a, const DeviceSettings& b, std::uint16_t position) {
    const std::size_t cell = cellOf(position);
    const std::size_t flagByte = flagByteOfCell(cell);
    const std::uint8_t mask = flagMaskOfCell(cell);
    return readSlot(a, cell) == readSlot(b, cell) &&
           (a.keyFlags[flagByte] & mask) == (b.keyFlags[flagByte] & mask);
}

bool sameBytes(const DeviceSettings& a, const DeviceSettings& b, const ByteRange& range) {
    return std::equal(a.bytes().begin() + range.offset,
                      a.bytes().begin() + range.offset + range.length,
                      b.bytes().begin() + range.offset);
}

std::vector<UnsentField> allFields() {
    std::vector<UnsentField> all;
    all.reserve(kFieldCount);
    const auto add = [&](UnsentFieldKind kind, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            all.push_back({kind, static_cast<std::uint16_t>(i)});
    };
    for (std::uint16_t offset : kSettingOffsets)
        all.push_back({UnsentFieldKind::Setting, offset});
    add(UnsentFieldKind::Colour, kPaletteSlotCount);
    add(UnsentFieldKind::Key, kKeyPositionCount);
    add(UnsentFieldKind::MacroSlot, kMacroSlotCount);
    add(UnsentFieldKind::LayoutCell, kLayoutCellCount);
    return all;
}

void putLe16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t le16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

FileResult refused(const fs::path& file, const std::string& why) {
    return {FileStatus::WrongSize,
            file.string() + " is not a record of unsent changes (" + why + "); it was not used"};
}

FileResult cannotRemove(const fs::path& file, const std::string& why) {
    return {FileStatus::WriteFailed, "cannot remove " + file.string() + ": " + why};
}

} // namespace

bool isUnsentField(const UnsentField& field) {
    switch (field.kind) {
    case UnsentFieldKind::Setting:
        return std::find(kSettingOffsets.begin(), kSettingOffsets.end(), field.index) !=
               kSettingOffsets.end();
    case UnsentFieldKind::Colour:
        return field.index < kPaletteSlotCount;
    case UnsentFieldKind::Key:
        return field.index < kKeyPositionCount;
    case UnsentFieldKind::MacroSlot:
        return field.index < kMacroSlotCount;
    case UnsentFieldKind::LayoutCell:
        return field.index < kLayoutCellCount;
    }
    return false;
}

void UnsentChanges::recordDifferences(const DeviceSettings& saved,
                                      const KeyAssignments& savedEntries,
                                      const DeviceSettings& keyboard,
                                      const KeyAssignments& entriesBefore) {
    std::set<UnsentField> fields;
    std::map<std::uint16_t, KeyAssignment> keyboardEntries;
    for (const UnsentField& field : allFields()) {
        if (field.kind != UnsentFieldKind::Key) {
            if (!sameBytes(saved, keyboard, rangeOf(field)))
                fields.insert(field);
            continue;
        }
        const std::uint16_t p = field.index;
        const auto recorded = keyboardEntries_.find(p);
        const KeyAssignment& keyboardCopy =
            recorded != keyboardEntries_.end() ? recorded->second : entriesBefore[p];
        if (sameKeyOnKeyboard(saved, keyboard, p) && savedEntries[p] == keyboardCopy)
            continue;
        fields.insert(field);
        keyboardEntries.emplace(p, keyboardCopy);
    }
    fields_ = std::move(fields);
    keyboardEntries_ = std::move(keyboardEntries);
}

void UnsentChanges::add(const UnsentChanges& other) {
    fields_.insert(other.fields_.begin(), other.fields_.end());
    keyboardEntries_.insert(other.keyboardEntries_.begin(), other.keyboardEntries_.end());
}

void UnsentChanges::layOver(const DeviceSettings& from, DeviceSettings& onto) const {
    for (const UnsentField& field : fields_) {
        if (field.kind != UnsentFieldKind::Key) {
            const ByteRange range = rangeOf(field);
            std::copy_n(from.bytes().begin() + range.offset, range.length,
                        onto.bytes().begin() + range.offset);
            continue;
        }
        const std::size_t cell = cellOf(field.index);
        writeSlot(onto, cell, readSlot(from, cell));
        const std::size_t flagByte = flagByteOfCell(cell);
        const std::uint8_t mask = flagMaskOfCell(cell);
        onto.keyFlags[flagByte] = static_cast<std::uint8_t>((onto.keyFlags[flagByte] & ~mask) |
                                                            (from.keyFlags[flagByte] & mask));
    }
}

void UnsentChanges::restoreKeyboardEntries(KeyAssignments& entries) const {
    for (const auto& [position, entry] : keyboardEntries_)
        entries[position] = entry;
}

void UnsentChanges::clear() {
    fields_.clear();
    keyboardEntries_.clear();
}

FileResult loadUnsentChanges(const fs::path& file, UnsentChanges& out) {
    out.clear();
    std::vector<std::uint8_t> bytes;
    FileResult result = readDataFile(file, kMaxFileSize + 1, bytes);
    if (!result.ok())
        return result;
    const std::span<const std::uint8_t> all(bytes);
    if (all.size() < kHeaderSize)
        return refused(file, std::to_string(all.size()) + " bytes, shorter than its header");
    if (!std::equal(kMagic.begin(), kMagic.end(), all.begin()))
        return refused(file, "it does not start with \"KXUC\"");
    if (all[4] != kVersion)
        return refused(file, "version " + std::to_string(all[4]) + ", not 1");

    UnsentChanges read;
    const std::size_t count = le16At(all, 5);
    std::size_t at = kHeaderSize;
    for (std::size_t n = 0; n < count; ++n) {
        if (all.size() - at < kFieldHeadSize)
            return refused(file, "it ends inside field " + std::to_string(n));
        const UnsentField field{static_cast<UnsentFieldKind>(all[at]), le16At(all, at + 1)};
        at += kFieldHeadSize;
        const std::string named = "field " + std::to_string(n) + " (kind " +
                                  std::to_string(all[at - kFieldHeadSize]) + ", index " +
                                  std::to_string(field.index) + ")";
        if (!isUnsentField(field))
            return refused(file, named + " names nothing");
        if (!read.fields_.insert(field).second)
            return refused(file, named + " appears twice");
        if (field.kind != UnsentFieldKind::Key)
            continue;
        if (all.size() - at < kKeyAssignmentSize)
            return refused(file, "it ends inside " + named);
        KeyAssignment entry;
        std::memcpy(&entry, all.data() + at, kKeyAssignmentSize);
        at += kKeyAssignmentSize;
        entry.vk = keyPositions()[field.index].vk;
        read.keyboardEntries_.emplace(field.index, entry);
    }
    if (at != all.size())
        return refused(file, "bytes follow its last field");
    out = std::move(read);
    return result;
}

FileResult saveUnsentChanges(const fs::path& file, const UnsentChanges& changes) {
    if (changes.empty()) {
        // Through a symlink the target goes and the link stays, as a write would replace the
        // target; anything but a regular file is left alone, as a write would refuse it.
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0) {
            const int error = errno;
            if (error == ENOENT || error == ENOTDIR)
                return {};
            return cannotRemove(file, std::strerror(error));
        }
        if (!S_ISREG(st.st_mode))
            return {FileStatus::NotRegularFile,
                    file.string() + " is not a regular file; it was left alone"};
        std::error_code ec;
        const fs::path target = fs::canonical(file, ec);
        if (ec)
            return cannotRemove(file, ec.message());
        if (::unlink(target.c_str()) != 0 && errno != ENOENT)
            return cannotRemove(file, std::strerror(errno));
        return {};
    }
    std::vector<std::uint8_t> bytes(kMagic.begin(), kMagic.end());
    bytes.push_back(kVersion);
    putLe16(bytes, changes.fields_.size());
    for (const UnsentField& field : changes.fields_) {
        bytes.push_back(static_cast<std::uint8_t>(field.kind));
        putLe16(bytes, field.index);
        if (field.kind != UnsentFieldKind::Key)
            continue;
        const auto& entry = changes.keyboardEntries_.at(field.index);
        const auto* raw = reinterpret_cast<const std::uint8_t*>(&entry);
        bytes.insert(bytes.end(), raw, raw + kKeyAssignmentSize);
    }
    return writeFileAtomically(file, bytes);
}

} // namespace talvex
