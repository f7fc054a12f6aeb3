#include "cli/cli_commands.h"
#include "cli/echoed_parts.h"
#include "cli/keyboard_steps.h"
#include "cli/window_forwarding.h"
#include "device/commands.h"
#include "mainwindow/lighting_effects.h"

#include <functional>
#include <optional>

namespace talvex {

namespace {

using Edit = std::function<void(DeviceSettings&)>;

std::optional<int> parseNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<bool> parseOnOff(const std::string& text) {
    if (text == "on")
        return true;
    if (text == "off")
        return false;
    return std::nullopt;
}

std::optional<std::array<std::uint8_t, 3>> parseRgb(const std::string& text) {
    if (text.size() != 6)
        return std::nullopt;
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = text[i];
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        rgb[i / 2] = static_cast<std::uint8_t>(rgb[i / 2] * 16 + digit);
    }
    return rgb;
}

Edit setByte(std::uint8_t DeviceSettings::*field, int value) {
    return [field, value](DeviceSettings& s) { s.*field = static_cast<std::uint8_t>(value); };
}

// Turns one NAME=VALUE into an edit, or says what is wrong with it.
std::optional<Edit> parseEdit(const std::string& name, const std::string& value,
                              std::string& error) {
    const auto ranged = [&](std::uint8_t DeviceSettings::*field, int low,
                            int high) -> std::optional<Edit> {
        const auto n = parseNumber(value, low, high);
        if (!n) {
            error = name + " must be a number from " + std::to_string(low) + " to " +
                    std::to_string(high);
            return std::nullopt;
        }
        return setByte(field, *n);
    };
    const auto onOff = [&](std::uint8_t DeviceSettings::*field) -> std::optional<Edit> {
        const auto on = parseOnOff(value);
        if (!on) {
            error = name + " must be on or off";
            return std::nullopt;
        }
        return setByte(field, *on ? 1 : 0);
    };

    if (name == "effect") {
        const auto code = parseNumber(value, 0, 255);
        if (!code || !lightingEffectCaption(static_cast<std::uint8_t>(*code))) {
            error = "effect must be one of the codes 1-6, 8, 10-13, 51-55";
            return std::nullopt;
        }
        return setByte(&DeviceSettings::lightEffect, *code);
    }
    if (name == "speed")
        return ranged(&DeviceSettings::lightSpeed, 0, 9);
    if (name == "brightness")
        return ranged(&DeviceSettings::lightBrightness, 0, 50);
    if (name == "colour")
        return ranged(&DeviceSettings::lightColour, 1, 8);
    if (name == "report-rate")
        return ranged(&DeviceSettings::reportInterval, 0, 3);
    if (name == "game-mode")
        return onOff(&DeviceSettings::gameMode);
    if (name == "win-lock")
        return onOff(&DeviceSettings::winLock);
    if (name == "direction") {
        static const char* const directions[] = {"left", "right", "top", "bottom"};
        for (int d = 0; d < 4; ++d)
            if (value == directions[d])
                return setByte(&DeviceSettings::lightDirection, d + 1);
        error = "direction must be left, right, top or bottom";
        return std::nullopt;
    }
    if (name == "response-time") {
        const auto ms = parseNumber(value, 2, 20);
        if (!ms || *ms % 2 != 0) {
            error = "response-time must be an even number of ms from 2 to 20";
            return std::nullopt;
        }
        return setByte(&DeviceSettings::responseTime, *ms / 2);
    }
    if (name.size() == 8 && name.rfind("palette", 0) == 0 && name[7] >= '1' && name[7] <= '7') {
        const std::size_t slot = static_cast<std::size_t>(name[7] - '1');
        const auto rgb = parseRgb(value);
        if (!rgb) {
            error = name + " must be a colour RRGGBB in hexadecimal";
            return std::nullopt;
        }
        return Edit([slot, rgb = *rgb](DeviceSettings& s) {
            std::copy(rgb.begin(), rgb.end(), s.palette.begin() + 3 * slot);
        });
    }
    error = "unknown setting " + name +
            " (effect, speed, brightness, colour, direction, palette1..palette7, game-mode, "
            "win-lock, response-time, report-rate)";
    return std::nullopt;
}

} // namespace

int runSetCommand(CliContext& context, const CliArgs& args) {
    if (args.empty())
        return context.badInput("set needs at least one NAME=VALUE");
    std::vector<Edit> edits;
    for (const auto& arg : args) {
        const auto equals = arg.find('=');
        if (equals == std::string::npos)
            return context.badInput("expected NAME=VALUE, got " + arg);
        std::string error;
        auto edit = parseEdit(arg.substr(0, equals), arg.substr(equals + 1), error);
        if (!edit)
            return context.badInput(error);
        edits.push_back(std::move(*edit));
    }
    if (const auto forwarded =
            forwardToWindow(context, forwardedRequest(ForwardedCommand::Set, args)))
        return *forwarded;
    DeviceSettings held = zeroSettings();
    if (int code = readKeyboard(context, held); code != kExitOk)
        return code;
    const auto edited = [&edits](const DeviceSettings& from) {
        DeviceSettings working = from;
        for (const auto& edit : edits)
            edit(working);
        foldWinLock(working);
        return working;
    };
    if (int code = confirmEchoedParts(context, computeChanges(edited(held), held), held);
        code != kExitOk)
        return code;
    DeviceSettings working = edited(held);
    return applyAndReport(context, working, held);
}

} // namespace talvex
