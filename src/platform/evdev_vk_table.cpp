#include "platform/evdev_vk_table.h"

#include <array>

namespace talvex {

namespace {

// Keypad Enter gets 108 (VK_SEPARATOR), the code the key name table gives it, so that it is
// told apart from the main Enter (13); Windows itself only marks it with the extended-key flag.
// The media key of the keyboard sends the consumer usage 0x183, which Linux reports as
// KEY_CONFIG (171) and Windows as VK_LAUNCH_MEDIA_SELECT (181).
// clang-format off
constexpr EvdevVk kTable[] = {
    {1, 27},    // Esc
    {2, '1'},   {3, '2'},   {4, '3'},   {5, '4'},   {6, '5'},
    {7, '6'},   {8, '7'},   {9, '8'},   {10, '9'},  {11, '0'},
    {12, 189},  // -
    {13, 187},  // =
    {14, 8},    // Backspace
    {15, 9},    // Tab
    {16, 'Q'},  {17, 'W'},  {18, 'E'},  {19, 'R'},  {20, 'T'},
    {21, 'Y'},  {22, 'U'},  {23, 'I'},  {24, 'O'},  {25, 'P'},
    {26, 219},  // [
    {27, 221},  // ]
    {28, 13},   // Enter
    {29, 162},  // left Ctrl
    {30, 'A'},  {31, 'S'},  {32, 'D'},  {33, 'F'},  {34, 'G'},
    {35, 'H'},  {36, 'J'},  {37, 'K'},  {38, 'L'},
    {39, 186},  // ;
    {40, 222},  // '
    {41, 192},  // `
    {42, 160},  // left Shift
    {43, 220},  // backslash
    {44, 'Z'},  {45, 'X'},  {46, 'C'},  {47, 'V'},  {48, 'B'},
    {49, 'N'},  {50, 'M'},
    {51, 188},  // ,
    {52, 190},  // .
    {53, 191},  // /
    {54, 161},  // right Shift
    {55, 106},  // keypad *
    {56, 164},  // left Alt
    {57, 32},   // Space
    {58, 20},   // Caps Lock
    {59, 112},  {60, 113},  {61, 114},  {62, 115},  {63, 116}, // F1..F5
    {64, 117},  {65, 118},  {66, 119},  {67, 120},  {68, 121}, // F6..F10
    {69, 144},  // Num Lock
    {70, 145},  // Scroll Lock
    {71, 103},  {72, 104},  {73, 105}, // keypad 7 8 9
    {74, 109},  // keypad -
    {75, 100},  {76, 101},  {77, 102}, // keypad 4 5 6
    {78, 107},  // keypad +
    {79, 97},   {80, 98},   {81, 99},  // keypad 1 2 3
    {82, 96},   // keypad 0
    {83, 110},  // keypad .
    {86, 226},  // the extra key of 102-key layouts
    {87, 122},  // F11
    {88, 123},  // F12
    {92, 28},   // Henkan (convert)
    {94, 29},   // Muhenkan (non-convert)
    {96, 108},  // keypad Enter
    {97, 163},  // right Ctrl
    {98, 111},  // keypad /
    {99, 44},   // Print Screen
    {100, 165}, // right Alt
    {102, 36},  // Home
    {103, 38},  // Up
    {104, 33},  // Page Up
    {105, 37},  // Left
    {106, 39},  // Right
    {107, 35},  // End
    {108, 40},  // Down
    {109, 34},  // Page Down
    {110, 45},  // Insert
    {111, 46},  // Delete
    {113, 173}, // Mute
    {114, 174}, // Volume Down
    {115, 175}, // Volume Up
    {119, 19},  // Pause
    {122, 21},  // Hangul
    {123, 25},  // Hanja
    {125, 91},  // left Windows
    {126, 92},  // right Windows
    {127, 93},  // Menu (Compose)
    {128, 169}, // browser Stop
    {139, 93},  // Menu
    {140, 183}, // Calculator
    {142, 95},  // Sleep
    {155, 180}, // Mail
    {156, 171}, // browser Favourites
    {157, 182}, // My Computer
    {158, 166}, // browser Back
    {159, 167}, // browser Forward
    {163, 176}, // Next Track
    {164, 179}, // Play/Pause
    {165, 177}, // Previous Track
    {166, 178}, // Stop
    {171, 181}, // Media (consumer 0x183)
    {172, 172}, // browser Home
    {173, 168}, // browser Refresh
    {183, 124}, {184, 125}, {185, 126}, {186, 127}, {187, 128}, {188, 129}, // F13..F18
    {189, 130}, {190, 131}, {191, 132}, {192, 133}, {193, 134}, {194, 135}, // F19..F24
    {217, 170}, // browser Search
    {226, 181}, // Media
};
// clang-format on

constexpr std::size_t kCodeCount = 256;

constexpr std::array<std::uint8_t, kCodeCount> makeIndex() {
    std::array<std::uint8_t, kCodeCount> index{};
    for (const EvdevVk& row : kTable)
        index[row.evdev] = row.vk;
    return index;
}

constexpr std::array<std::uint8_t, kCodeCount> kIndex = makeIndex();

} // namespace

std::span<const EvdevVk> evdevVkTable() {
    return kTable;
}

std::uint8_t vkFromEvdev(std::uint32_t evdevCode) {
    return evdevCode < kCodeCount ? kIndex[evdevCode] : 0;
}

std::uint8_t vkFromNativeScanCode(std::uint32_t nativeScanCode) {
    return nativeScanCode >= 8 ? vkFromEvdev(nativeScanCode - 8) : 0;
}

} // namespace talvex
