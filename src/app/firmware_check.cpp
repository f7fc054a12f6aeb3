#include "app/firmware_check.h"

#include <cstdint>
#include <string>
#include <system_error>

#include "platform/file_io.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/ui_text.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = TALVEX_TEXT("固件更新");

std::uint8_t digitValue(std::uint8_t character) {
    return static_cast<std::uint8_t>(character - 0x30);
}

void reportUpdaterProblem(Prompts& prompts, const std::string& what, const fs::path& updater) {
    prompts.message(what + "\n" + updater.string(), kCaption, MessageButtons::Ok,
                    MessageIcon::Warning);
}

} // namespace

std::optional<FirmwareVersion> readExpectedVersion(const fs::path& versionFile) {
    auto bytes = readFileBytes(versionFile, 12);
    if (!bytes || bytes->size() < 8)
        return std::nullopt;
    return FirmwareVersion{digitValue((*bytes)[5]), digitValue((*bytes)[7]), 0, 0};
}

bool keyboardIsOlder(const FirmwareVersion& expected, const FirmwareVersion& keyboard) {
    if (expected[0] != keyboard[0])
        return expected[0] > keyboard[0];
    return expected[1] > keyboard[1];
}

fs::path updaterPath(const fs::path& programFolder) {
#ifdef _WIN32
    return programFolder / "Kestrix_Update.exe";
#else
    return programFolder / "Kestrix_Update";
#endif
}

UpdaterStart startUpdater(const fs::path& programFolder, Shell& shell) {
    const fs::path updater = updaterPath(programFolder);
    std::error_code ec;
    if (!fs::is_regular_file(updater, ec))
        return UpdaterStart::NotInstalled;
    return shell.startProgram(updater, programFolder) ? UpdaterStart::Started
                                                      : UpdaterStart::Failed;
}

FirmwareCheckOutcome runFirmwareCheck(const std::optional<FirmwareVersion>& expected,
                                      const FirmwareVersion& keyboard,
                                      const fs::path& programFolder, Prompts& prompts,
                                      Shell& shell) {
    if (!expected || !keyboardIsOlder(*expected, keyboard))
        return FirmwareCheckOutcome::NoOffer;
    MessageAnswer answer =
        prompts.message(TALVEX_TEXT("检测到键盘版本与Driver的版本不匹配，是否进行更新？"), kCaption,
                        MessageButtons::OkCancel, MessageIcon::None);
    if (answer != MessageAnswer::Ok)
        return FirmwareCheckOutcome::Declined;
    switch (startUpdater(programFolder, shell)) {
    case UpdaterStart::NotInstalled:
        reportUpdaterProblem(prompts, TALVEX_TEXT("找不到固件更新程序："),
                             updaterPath(programFolder));
        return FirmwareCheckOutcome::UpdaterMissing;
    case UpdaterStart::Failed:
        reportUpdaterProblem(prompts, TALVEX_TEXT("无法启动固件更新程序："),
                             updaterPath(programFolder));
        return FirmwareCheckOutcome::UpdaterFailed;
    case UpdaterStart::Started:
        break;
    }
    return FirmwareCheckOutcome::UpdaterStarted;
}

} // namespace talvex
