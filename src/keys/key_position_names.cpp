#include "keys/key_position_names.h"

#include "keys/key_positions.h"

#include <algorithm>
#include <array>
#include <utility>

namespace talvex {

namespace {

// In position order: row by row from the top of the keyboard picture, each row left to right.
constexpr std::array<std::string_view, kKeyPositionCount> kPositionNames = {
    // function row, with the four media keys this keyboard lacks
    "Escape", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "PrintScreen", "ScrollLock", "Pause", "AudioVolumeDown", "MediaSelect", "MediaPlayPause",
    "AudioVolumeUp",
    // digit row
    "Backquote", "Digit1", "Digit2", "Digit3", "Digit4", "Digit5", "Digit6", "Digit7", "Digit8",
    "Digit9", "Digit0", "Minus", "Equal", "Backspace", "Insert", "Home", "PageUp", "NumLock",
    "NumpadDivide", "NumpadMultiply", "NumpadSubtract",
    // Tab row
    "Tab", "KeyQ", "KeyW", "KeyE", "KeyR", "KeyT", "KeyY", "KeyU", "KeyI", "KeyO", "KeyP",
    "BracketLeft", "BracketRight", "Backslash", "Delete", "End", "PageDown", "Numpad7", "Numpad8",
    "Numpad9", "NumpadAdd",
    // Caps row
    "CapsLock", "KeyA", "KeyS", "KeyD", "KeyF", "KeyG", "KeyH", "KeyJ", "KeyK", "KeyL", "Semicolon",
    "Quote", "Enter", "Numpad4", "Numpad5", "Numpad6",
    // Shift row
    "ShiftLeft", "KeyZ", "KeyX", "KeyC", "KeyV", "KeyB", "KeyN", "KeyM", "Comma", "Period", "Slash",
    "ShiftRight", "ArrowUp", "Numpad1", "Numpad2", "Numpad3", "NumpadEnter",
    // bottom row
    "ControlLeft", "MetaLeft", "AltLeft", "Space", "AltRight", "Fn", "ContextMenu", "ControlRight",
    "ArrowLeft", "ArrowDown", "ArrowRight", "Numpad0", "NumpadDecimal"};

// Keys with a code that sit at no position. 243 and 244 have a code but no known meaning.
constexpr std::pair<std::uint8_t, std::string_view> kOtherKeys[] = {
    {92, "MetaRight"},         {240, "MouseLeft"},         {241, "MouseRight"},
    {242, "MouseMiddle"},      {245, "MousePointerRight"}, {246, "MousePointerUp"},
    {247, "MousePointerDown"}, {248, "MouseWheelUp"},      {249, "MouseWheelDown"}};

} // namespace

std::string_view positionName(std::size_t position) {
    return position < kPositionNames.size() ? kPositionNames[position] : std::string_view();
}

std::optional<std::size_t> positionOfName(std::string_view name) {
    const auto found = std::find(kPositionNames.begin(), kPositionNames.end(), name);
    if (found == kPositionNames.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - kPositionNames.begin());
}

std::optional<std::string_view> vkName(std::uint8_t vk) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        if (p != kFnPosition && keyPositions()[p].vk == vk)
            return kPositionNames[p];
    for (const auto& [code, name] : kOtherKeys)
        if (code == vk)
            return name;
    return std::nullopt;
}

std::optional<std::uint8_t> vkOfName(std::string_view name) {
    if (const auto position = positionOfName(name); position && *position != kFnPosition)
        return keyPositions()[*position].vk;
    for (const auto& [code, known] : kOtherKeys)
        if (known == name)
            return code;
    return std::nullopt;
}

} // namespace talvex
