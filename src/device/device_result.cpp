#include "device/device_result.h"

namespace talvex {

std::string describeDevicePart(DevicePart part, std::size_t index) {
    switch (part) {
    case DevicePart::Lighting:
        return "lighting";
    case DevicePart::Palette:
        return "colour palette";
    case DevicePart::GameMode:
        return "game mode";
    case DevicePart::ReportRate:
        return "report rate";
    case DevicePart::ResponseTime:
        return "response time";
    case DevicePart::KeyTable:
        return "key table";
    case DevicePart::KeyFlags:
        return "key flags";
    case DevicePart::MacroSlot:
        return "macro slot " + std::to_string(index);
    case DevicePart::CustomLayout:
        return "custom layout " + std::to_string(index);
    case DevicePart::DeviceInfo:
        return "device information";
    case DevicePart::Reset:
        return "factory reset";
    }
    return "unknown part";
}

} // namespace talvex
