#include "keys/default_key_table.h"

namespace talvex {

namespace {

// Plain-key slot (0, 0, code, 0), with 0 for a cell that has no key.
constexpr KeySlot key(std::uint8_t code) {
    return KeySlot{{kSlotKeys, 0, code, 0}};
}
constexpr KeySlot consumer(std::uint8_t low, std::uint8_t high) {
    return KeySlot{{kSlotConsumer, 0, low, high}};
}
constexpr KeySlot kFn{{kSlotFn, 0, 0, 0}};

// One line per matrix column, rows 0 (bottom) to 5 (function row).
constexpr std::array<KeySlot, kKeyCellCount> kDefaultKeyTable = {
    key(224), key(225), key(57), key(43), key(53), key(41),          // column 0
    key(227), key(29),  key(4),  key(20), key(30), key(50),          // column 1
    key(226), key(27),  key(22), key(26), key(31), key(58),          // column 2
    key(145), key(6),   key(7),  key(8),  key(32), key(59),          // column 3
    key(0),   key(25),  key(9),  key(21), key(33), key(60),          // column 4
    key(44),  key(5),   key(10), key(23), key(34), key(61),          // column 5
    key(0),   key(17),  key(11), key(28), key(35), key(62),          // column 6
    key(0),   key(16),  key(13), key(24), key(36), key(63),          // column 7
    key(144), key(54),  key(14), key(12), key(37), key(64),          // column 8
    key(230), key(55),  key(15), key(18), key(38), key(65),          // column 9
    kFn,      key(56),  key(51), key(19), key(39), key(66),          // column 10
    key(101), key(0),   key(52), key(47), key(45), key(67),          // column 11
    key(0),   key(229), key(0),  key(48), key(46), key(68),          // column 12
    key(228), key(40),  key(40), key(49), key(42), key(69),          // column 13
    key(80),  key(0),   key(0),  key(76), key(73), key(70),          // column 14
    key(81),  key(82),  key(0),  key(77), key(74), key(71),          // column 15
    key(79),  key(0),   key(0),  key(78), key(75), key(72),          // column 16
    key(98),  key(89),  key(92), key(95), key(83), consumer(234, 0), // column 17
    key(0),   key(90),  key(93), key(96), key(84), consumer(131, 1), // column 18
    key(99),  key(91),  key(94), key(97), key(85), consumer(205, 0), // column 19
    key(88),  key(0),   key(87), key(0),  key(86), consumer(233, 0), // column 20
};

} // namespace

const std::array<KeySlot, kKeyCellCount>& defaultKeyTable() {
    return kDefaultKeyTable;
}

void fillDefaultKeyTable(std::span<std::uint8_t, kKeyTableSize> keyTable) {
    for (auto& b : keyTable)
        b = 0;
    for (std::size_t cell = 0; cell < kKeyCellCount; ++cell)
        for (std::size_t i = 0; i < kKeySlotSize; ++i)
            keyTable[cell * kKeySlotSize + i] = kDefaultKeyTable[cell].bytes[i];
}

} // namespace talvex
