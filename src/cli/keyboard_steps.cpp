#include "cli/keyboard_steps.h"

#include "device/sequences.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"

namespace talvex {

int readKeyboard(CliContext& context, DeviceSettings& s) {
    if (int code = context.connect(); code != kExitOk)
        return code;
    if (const DeviceResult read = readAllSettings(context.io(), s); !read.ok)
        return reportReadFailure(context, read, "nothing was sent");
    context.setKeyboardHolds(s);
    return kExitOk;
}

int reportReadFailure(CliContext& context, const DeviceResult& result, const std::string& outcome,
                      int exitCode) {
    context.err << "kestrix-cli: the keyboard stopped answering (" << result.describeFailure()
                << "); " << outcome << "\n";
    return exitCode;
}

int applyAndReport(CliContext& context, DeviceSettings& working, DeviceSettings& held) {
    context.drainEvents();
    const ApplyResult result = applyChanges(context.io(), working, held);
    context.setKeyboardHolds(result.completed ? std::optional(held) : std::nullopt);
    if (!result.completed) {
        context.err << "kestrix-cli: the keyboard did not confirm the " << result.describeFailure()
                    << "; the save stopped there and may be partly applied\n";
        return kExitApplyFailed;
    }
    if (!context.options.json)
        context.out << (result.sentAnything ? "applied\n" : "nothing to change\n");
    else
        context.out << "{\"applied\": " << (result.sentAnything ? "true" : "false") << "}\n";
    return kExitOk;
}

std::optional<std::string> wrongConfigurationSize(const std::string& path, std::size_t size) {
    if (size == kDeviceSettingsSize || size == kKeymapFileSize)
        return std::nullopt;
    return path + " is " + std::to_string(size) +
           " bytes; expected a 10060-byte settings image or a 206920-byte keymap.bin or profile";
}

bool readConfigurationBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                            std::string& error) {
    if (const FileResult read = readDataFile(path, kKeymapFileSize + 1, bytes); !read.ok()) {
        error = read.message;
        return false;
    }
    if (const auto wrong = wrongConfigurationSize(path, bytes.size())) {
        error = *wrong;
        return false;
    }
    return true;
}

bool splitConfiguration(std::span<const std::uint8_t> bytes, DeviceSettings& s,
                        KeyAssignments* assignments) {
    const bool whole = bytes.size() == kKeymapFileSize;
    if (whole && assignments)
        std::copy(bytes.begin() + kDeviceSettingsSize, bytes.end(), assignments->bytes().begin());
    settingsFromBytes(bytes, s);
    return whole;
}

bool loadSettingsFile(const std::string& path, DeviceSettings& s, std::string& error,
                      KeyAssignments* assignments, bool* hasAssignments) {
    std::vector<std::uint8_t> bytes;
    if (!readConfigurationBytes(path, bytes, error))
        return false;
    const bool whole = splitConfiguration(bytes, s, assignments);
    if (hasAssignments)
        *hasAssignments = whole;
    return true;
}

int applyConfiguration(CliContext& context, const std::string& source, DeviceSettings working,
                       const KeyAssignments* assignments) {
    DeviceSettings held = zeroSettings();
    if (int code = readKeyboard(context, held); code != kExitOk)
        return code;
    if (int code =
            checkConfiguration(context, source, working, assignments, &held, CheckScope::Send);
        code != kExitOk)
        return code;
    return applyAndReport(context, working, held);
}

int checkConfiguration(CliContext& context, const std::string& source,
                       const DeviceSettings& settings, const KeyAssignments* assignments,
                       const DeviceSettings* held, CheckScope scope) {
    const bool sending = scope == CheckScope::Send;
    const std::string outcome = sending ? "nothing was sent" : "nothing was imported";
    const std::string insist =
        sending ? " (--force sends it anyway)" : " (--force imports it anyway)";
    if (const auto problem = firstProblem(settings, assignments, held, scope)) {
        if (!problem->overridable)
            return context.badInput(source + ": " + problem->message + "; " + outcome);
        if (!context.options.force)
            return context.badInput(source + ": " + problem->message + "; " + outcome + insist);
    }
    if (sending && !hasWorkingKey(settings) && !context.options.force)
        return context.badInput(source +
                                ": every key is disabled or does nothing, so the keyboard could "
                                "not type; nothing was sent (--force sends it anyway)");
    return kExitOk;
}

} // namespace talvex
