#include "cli/echoed_parts.h"

#include "cli/keyboard_steps.h"
#include "device/block_transfers.h"
#include "device/commands.h"

#include <algorithm>

namespace talvex {

namespace {

struct EchoedPart {
    bool ChangeFlags::*sent;
    DevicePart part;
    DeviceResult (*read)(DeviceIo&, DeviceSettings&);
    // Copies the part's fields from one image to another.
    void (*take)(const DeviceSettings& from, DeviceSettings& to);
};

DeviceResult readPalette(DeviceIo& io, DeviceSettings& s) {
    for (std::size_t n = 0; n < kPaletteSlotCount; ++n)
        if (auto r = readPaletteColour(io, s, n); !r.ok)
            return r;
    return {};
}

const EchoedPart kEchoedParts[] = {
    {&ChangeFlags::lighting, DevicePart::Lighting, readLighting,
     [](const DeviceSettings& from, DeviceSettings& to) {
         to.lightEffect = from.lightEffect;
         to.lightSpeed = from.lightSpeed;
         to.lightBrightness = from.lightBrightness;
         to.lightColour = from.lightColour;
         to.lightDirection = from.lightDirection;
     }},
    {&ChangeFlags::palette, DevicePart::Palette, readPalette,
     [](const DeviceSettings& from, DeviceSettings& to) { to.palette = from.palette; }},
    {&ChangeFlags::keyFlags, DevicePart::KeyFlags, readKeyFlags,
     [](const DeviceSettings& from, DeviceSettings& to) {
         to.keyFlags = from.keyFlags;
         to.winLock = from.winLock;
     }},
};

// The part's fields of `s` in an image that holds nothing else, for comparing.
DeviceSettings only(const EchoedPart& part, const DeviceSettings& s) {
    DeviceSettings fields = zeroSettings();
    part.take(s, fields);
    return fields;
}

} // namespace

int confirmEchoedParts(CliContext& context, const ChangeFlags& changed, DeviceSettings& held) {
    for (const EchoedPart& part : kEchoedParts) {
        if (!(changed.*part.sent))
            continue;
        DeviceSettings previous = held;
        for (int answer = 2; answer <= 3; ++answer) {
            DeviceSettings latest = previous;
            if (const DeviceResult r = part.read(context.io(), latest); !r.ok)
                return reportReadFailure(context, r, "nothing was sent");
            if (only(part, latest) == only(part, previous)) {
                part.take(latest, held);
                break;
            }
            if (answer == 3) {
                context.err << "kestrix-cli: the keyboard gave a different answer each time its "
                            << describeDevicePart(part.part, 0) << " was read; nothing was sent\n";
                return kExitNoKeyboard;
            }
            previous = latest;
        }
    }
    return kExitOk;
}

} // namespace talvex
