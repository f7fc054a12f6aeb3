#pragma once
// The 108 physical key positions of the keyboard picture. A position ties the key's host
// identity (its VK code) to its cell in the keyboard's 21 x 6 key matrix; the cell indexes both
// the key's 4-byte slot in keyTable and its enable bit in keyFlags.

#include <array>
#include <cstddef>
#include <cstdint>

namespace talvex {

inline constexpr std::size_t kKeyPositionCount = 108;
inline constexpr std::size_t kMatrixRows = 6;
// Fn has no VK of its own: it carries the Apps key's VK, and is never marked as modified.
inline constexpr std::size_t kFnPosition = 100;

struct KeyPosition {
    std::uint8_t vk;
    std::uint8_t matrixCell;  // column * 6 + row; row 0 is the bottom row
    std::uint16_t cellOffset; // 4 * matrixCell: the byte offset of the slot in keyTable
};

const std::array<KeyPosition, kKeyPositionCount>& keyPositions();

// Where a cell's enable bit lives in keyFlags: byte = column, bit = row.
inline std::size_t flagByteOfCell(std::size_t cell) {
    return cell / kMatrixRows;
}
inline std::uint8_t flagMaskOfCell(std::size_t cell) {
    return static_cast<std::uint8_t>(1u << (cell % kMatrixRows));
}

} // namespace talvex
