#include "keys/key_positions.h"

namespace talvex {

namespace {

constexpr KeyPosition at(std::uint8_t vk, unsigned column, unsigned row) {
    unsigned cell = column * kMatrixRows + row;
    return KeyPosition{vk, static_cast<std::uint8_t>(cell), static_cast<std::uint16_t>(cell * 4)};
}

constexpr std::array<KeyPosition, kKeyPositionCount> kPositions = {
    // 0..19: function row
    at(27, 0, 5),
    at(112, 2, 5),
    at(113, 3, 5),
    at(114, 4, 5),
    at(115, 5, 5),
    at(116, 6, 5),
    at(117, 7, 5),
    at(118, 8, 5),
    at(119, 9, 5),
    at(120, 10, 5),
    at(121, 11, 5),
    at(122, 12, 5),
    at(123, 13, 5),
    at(44, 14, 5),
    at(145, 15, 5),
    at(19, 16, 5),
    at(174, 17, 5),
    at(181, 18, 5),
    at(179, 19, 5),
    at(175, 20, 5),
    // 20..40: digit row
    at(192, 0, 4),
    at('1', 1, 4),
    at('2', 2, 4),
    at('3', 3, 4),
    at('4', 4, 4),
    at('5', 5, 4),
    at('6', 6, 4),
    at('7', 7, 4),
    at('8', 8, 4),
    at('9', 9, 4),
    at('0', 10, 4),
    at(189, 11, 4),
    at(187, 12, 4),
    at(8, 13, 4),
    at(45, 14, 4),
    at(36, 15, 4),
    at(33, 16, 4),
    at(144, 17, 4),
    at(111, 18, 4),
    at(106, 19, 4),
    at(109, 20, 4),
    // 41..61: Tab row; keypad + spans two rows and sits in row 2
    at(9, 0, 3),
    at('Q', 1, 3),
    at('W', 2, 3),
    at('E', 3, 3),
    at('R', 4, 3),
    at('T', 5, 3),
    at('Y', 6, 3),
    at('U', 7, 3),
    at('I', 8, 3),
    at('O', 9, 3),
    at('P', 10, 3),
    at(219, 11, 3),
    at(221, 12, 3),
    at(220, 13, 3),
    at(46, 14, 3),
    at(35, 15, 3),
    at(34, 16, 3),
    at(103, 17, 3),
    at(104, 18, 3),
    at(105, 19, 3),
    at(107, 20, 2),
    // 62..77: Caps row
    at(20, 0, 2),
    at('A', 1, 2),
    at('S', 2, 2),
    at('D', 3, 2),
    at('F', 4, 2),
    at('G', 5, 2),
    at('H', 6, 2),
    at('J', 7, 2),
    at('K', 8, 2),
    at('L', 9, 2),
    at(186, 10, 2),
    at(222, 11, 2),
    at(13, 13, 2),
    at(100, 17, 2),
    at(101, 18, 2),
    at(102, 19, 2),
    // 78..94: Shift row; keypad Enter spans two rows and sits in row 0
    at(160, 0, 1),
    at('Z', 1, 1),
    at('X', 2, 1),
    at('C', 3, 1),
    at('V', 4, 1),
    at('B', 5, 1),
    at('N', 6, 1),
    at('M', 7, 1),
    at(188, 8, 1),
    at(190, 9, 1),
    at(191, 10, 1),
    at(161, 12, 1),
    at(38, 15, 1),
    at(97, 17, 1),
    at(98, 18, 1),
    at(99, 19, 1),
    at(108, 20, 0),
    // 95..107: bottom row; Fn (100) carries the Apps VK
    at(162, 0, 0),
    at(91, 1, 0),
    at(164, 2, 0),
    at(32, 5, 0),
    at(165, 9, 0),
    at(93, 10, 0),
    at(93, 11, 0),
    at(163, 13, 0),
    at(37, 14, 0),
    at(40, 15, 0),
    at(39, 16, 0),
    at(96, 17, 0),
    at(110, 19, 0),
};

} // namespace

const std::array<KeyPosition, kKeyPositionCount>& keyPositions() {
    return kPositions;
}

} // namespace talvex
