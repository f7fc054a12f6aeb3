#include "keys/key_name_table.h"

#include <algorithm>

namespace talvex {

namespace {

struct NamedKey {
    std::uint8_t vk;
    std::uint8_t deviceCode;
    const char16_t* name;
};

// Keys that follow no numbering rule. The trailing blanks, and their absence on "Play/Pause" and
// the mouse names, are part of the displayed text.
constexpr NamedKey kNamedKeys[] = {
    {8, 42, u"Back "},
    {9, 43, u"Tab "},
    {13, 40, u"Enter "},
    {19, 72, u"Pause "},
    {20, 57, u"Caps "},
    {27, 41, u"Esc "},
    {32, 44, u"Space "},
    {33, 75, u"PgUp "},
    {34, 78, u"PgDn "},
    {35, 77, u"End "},
    {36, 74, u"Home "},
    {37, 80, u"Left "},
    {38, 82, u"Up "},
    {39, 79, u"Right "},
    {40, 81, u"Down "},
    {44, 70, u"Prscr "},
    {45, 73, u"Inst "},
    {46, 76, u"Del "},
    {91, 227, u"LWin "},
    {92, 231, u"RWin "},
    {93, 101, u"Apps "},
    {106, 85, u"* "},
    {107, 87, u"+ "},
    {108, 88, u"Enter "},
    {109, 86, u"- "},
    {110, 99, u". "},
    {111, 84, u"/ "},
    {144, 83, u"Num "},
    {145, 71, u"Scrol "},
    {160, 225, u"LShift "},
    {161, 229, u"RShift "},
    {162, 224, u"LCtrl "},
    {163, 228, u"RCtrl "},
    {164, 226, u"LAlt "},
    {165, 230, u"RAlt "},
    {174, 234, u"Volume DOWN "},
    {175, 233, u"Volume UP "},
    {179, 205, u"Play/Pause"},
    {181, 131, u"Media "},
    {186, 51, u"; "},
    {187, 46, u"= "},
    {188, 54, u", "},
    {189, 45, u"- "},
    {190, 55, u". "},
    {191, 56, u"/ "},
    {192, 53, u"` "},
    {219, 47, u"[ "},
    {220, 50, u"\\ "},
    {221, 48, u"] "},
    {222, 52, u"' "},
    {240, 240, u"MsLB"},
    {241, 241, u"MsRB"},
    {242, 242, u"MsMB"},
    {243, 243, u""},
    {244, 244, u""},
    {245, 245, u"Mouse Pointer Right"},
    {246, 246, u"Mouse Pointer Up"},
    {247, 247, u"Mouse pointer Down"},
    {248, 248, u"Mouse Wheel Up"},
    {249, 249, u"Mouse Wheel Down"},
};

void set(KeyNameTable& table, unsigned vk, unsigned code, std::u16string name) {
    table.records[vk].deviceCode = static_cast<std::uint8_t>(code);
    table.records[vk].name = std::move(name);
}

} // namespace

KeyNameTable buildKeyNameTable() {
    KeyNameTable table;
    for (std::size_t vk = 0; vk < kKeyNameCount; ++vk)
        table.records[vk].vk = static_cast<std::uint8_t>(vk);

    for (unsigned vk = 'A'; vk <= 'Z'; ++vk)
        set(table, vk, vk - 61, {char16_t(vk), u' '});
    for (unsigned vk = '1'; vk <= '9'; ++vk)
        set(table, vk, vk - 19, {char16_t(vk), u' '});
    set(table, '0', 39, u"0");
    for (unsigned vk = 112; vk <= 123; ++vk) {
        std::u16string name = u"F";
        for (char c : std::to_string(vk - 111))
            name += char16_t(c);
        set(table, vk, vk - 54, name + u" ");
    }
    for (unsigned vk = 97; vk <= 105; ++vk)
        set(table, vk, vk - 8, std::u16string{char16_t(u'1' + (vk - 97))} + u"-num ");
    set(table, 96, 98, u"0-num ");

    for (const NamedKey& key : kNamedKeys)
        set(table, key.vk, key.deviceCode, key.name);
    return table;
}

std::u16string combinationText(const KeyNameTable& table, std::span<const std::uint8_t> keys) {
    std::u16string text;
    std::size_t count = std::min<std::size_t>(keys.size(), 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += u"+ ";
        text += table.name(keys[i]);
    }
    return text;
}

} // namespace talvex
