#include "mainwindow/lighting_effects.h"

namespace talvex {

const std::array<LightingEffect, kLightingEffectCount> lightingEffects = {{
    {1, "全亮"},
    {2, "呼吸"},
    {3, "波浪"},
    {4, "随按渐灭"},
    {5, "蛇形跑马"},
    {6, "涟漪"},
    {8, "霓虹"},
    {10, "雨滴"},
    {11, "环形跑马"},
    {12, "对冲"},
    {13, "雷达"},
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
