#pragma once
// The lighting effects that the user can choose, in the order the effect list shows them, and
// the key response times. Codes 7 and 9 exist in the firmware but are not offered.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

struct LightingEffect {
    std::uint8_t code;
    std::string_view caption; // UTF-8
};

inline constexpr std::size_t kLightingEffectCount = 16;
extern const std::array<LightingEffect, kLightingEffectCount> lightingEffects;

// The caption of an effect code, or none when the code is not in the list.
std::optional<std::string_view> lightingEffectCaption(std::uint8_t code);

// Effects with a special colour rule: a single colour only, or every colour at once.
inline constexpr std::uint8_t kEffectSteady = 1; // "全亮"
inline constexpr std::uint8_t kEffectWave = 3;   // "波浪"
inline constexpr std::uint8_t kEffectNeon = 8;   // "霓虹"
inline constexpr std::uint8_t kEffectRadar = 13; // "雷达"

inline bool usesAllColours(std::uint8_t effect) {
    return effect == kEffectWave || effect == kEffectNeon;
}
inline bool hasDirection(std::uint8_t effect) {
    return effect == kEffectWave || effect == kEffectRadar;
}

// `lightColour` 1..7 picks one palette colour; 8 lights every colour.
inline constexpr std::uint8_t kAllColours = 8;

// responseTime 1..10 stands for 2..20 ms; the list offers them in that order.
inline constexpr std::size_t kResponseTimeCount = 10;
// "8 ms" for 4, in the list, its box and the section's header alike.
std::string responseTimeText(std::uint8_t responseTime);

} // namespace talvex
