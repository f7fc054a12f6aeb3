#include "keys/key_reach.h"

#include <array>

namespace talvex {

namespace {

struct HostKeyFunction {
    std::uint8_t vk;
    std::u16string_view function;
};

// Only keys whose very function the page offers: pointing the user there for Browser Back
// would send them looking for something that is not there.
constexpr std::array<HostKeyFunction, 6> kHostKeyFunctions = {{
    {0xAD, u"静音"},        // volume mute
    {0xB0, u"下一曲"},      // next track
    {0xB1, u"上一曲"},      // previous track
    {0xB2, u"暂停"},        // media stop
    {0xAC, u"浏览器-主页"}, // browser home
    {0xB6, u"我的电脑"},    // launch application 1
}};

} // namespace

std::u16string_view functionForHostKey(std::uint8_t vk) {
    for (const HostKeyFunction& entry : kHostKeyFunctions)
        if (entry.vk == vk)
            return entry.function;
    return {};
}

KeyReach keyReach(const KeyNameTable& names, std::uint8_t vk) {
    if (names.deviceCode(vk) != 0)
        return KeyReach::Sendable;
    return functionForHostKey(vk).empty() ? KeyReach::Unsendable : KeyReach::AsFunction;
}

} // namespace talvex
