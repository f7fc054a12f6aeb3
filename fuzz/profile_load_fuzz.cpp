// Arbitrary bytes as a keymap.bin, a profile or an import file: loaded at start and loaded into
// a profile. A load may take any prefix of the file but never more than it holds, an import
// takes only the settings image and whole assignment entries, and the profile written after an
// import holds exactly what the import put in memory.

#include "fuzz_check.h"
#include "keys/configuration_check.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "profiles/profile_store.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace talvex;

struct Folder {
    Folder() {
        fs::remove_all(path);
        fs::create_directories(path / "profiles");
    }
    fs::path path =
        fs::temp_directory_path() / ("talvex-fuzz-profile-" + std::to_string(::getpid()));
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    const fs::path input = folder.path / "keymap.bin";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    auto settings = std::make_unique<DeviceSettings>(zeroSettings());
    auto assignments = std::make_unique<KeyAssignments>();
    const FileResult load = loadKeymapFile(input, *settings, *assignments, false);
    check(load.status == (size == kKeymapFileSize ? FileStatus::Ok : FileStatus::WrongSize));
    const std::size_t inSettings = std::min(size, kDeviceSettingsSize);
    check(std::equal(data, data + inSettings, settings->bytes().begin()));

    // As the profile manager's load reads a chosen file: only the two sizes, nothing else moves.
    auto before = std::make_unique<KeyAssignments>(*assignments);
    const DeviceSettings settingsBefore = *settings;
    const ProfileStatus status = readConfigurationFile(input, *settings, *assignments);
    if (size != kDeviceSettingsSize && size != kKeymapFileSize) {
        check(status == ProfileStatus::WrongSize && *settings == settingsBefore &&
              *assignments == *before);
        return 0;
    }
    check(status == ProfileStatus::Done);
    (void)firstProblem(*settings, assignments.get(), nullptr, CheckScope::Send);
    (void)hasWorkingKey(*settings);
    ProfileStore store(folder.path / "profiles");
    if (store.names().empty())
        check(store.createProfile() == ProfileStatus::Done);
    check(store.storeWorkingToProfile(0, *settings, *assignments, std::nullopt) ==
          ProfileStatus::Done);
    const auto written = readFileBytes(store.pathTable()[0], kKeymapFileSize + 1);
    check(written && *written == keymapFileBytes(*settings, *assignments));
    return 0;
}
