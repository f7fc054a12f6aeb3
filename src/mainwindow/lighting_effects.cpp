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

const std::array<std::string_view, kResponseTimeCount> responseTimeCaptions = {
    "2ms", "4ms", "6ms", "8ms", "10ms", "12ms", "14ms", "16ms", "18ms", "20ms"};

} // namespace talvex
