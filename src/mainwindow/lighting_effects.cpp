#include "mainwindow/lighting_effects.h"

#include "platform/ui_text.h"

namespace talvex {

const std::array<LightingEffect, kLightingEffectCount> lightingEffects = {{
    {1, TALVEX_TEXT("全亮")},
    {2, TALVEX_TEXT("呼吸")},
    {3, TALVEX_TEXT("波浪")},
    {4, TALVEX_TEXT("随按渐灭")},
    {5, TALVEX_TEXT("蛇形跑马")},
    {6, TALVEX_TEXT("涟漪")},
    {8, TALVEX_TEXT("霓虹")},
    {10, TALVEX_TEXT("雨滴")},
    {11, TALVEX_TEXT("环形跑马")},
    {12, TALVEX_TEXT("对冲")},
    {13, TALVEX_TEXT("雷达")},
    {51, "DIY1"},
    {52, "DIY2"},
    {53, "DIY3"},
    {54, "DIY4"},
    {55, "DIY5"},
}};

std::optional<std::string_view> lightingEffectCaption(std::uint8_t code) {
    for (const LightingEffect& effect : lightingEffects)
        if (effect.code == code)
            return effect.caption;
    return std::nullopt;
}

std::string responseTimeText(std::uint8_t responseTime) {
    return std::to_string(2 * responseTime) + " ms";
}

} // namespace talvex
