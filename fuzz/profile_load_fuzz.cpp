// Arbitrary bytes as a keymap.bin, a profile or an import file: loaded at start and loaded into
// a profile. A load may take any prefix of the file but never more than it holds, an import
// takes only the settings image and whole assignment entries, and the profile written after an
// import holds exactly what the import put in memory.

#include "fuzz_check.h"
#include "keys/configuration_check.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "profiles/profile_store.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace talvex;

// The files live in memory (/dev/shm where there is one): the loaders must still read a real
// file, but a disk's writes and flushes would cost far more than the loads they serve.
fs::path workspaceFolder() {
    std::error_code ec;
    const fs::path memory = "/dev/shm";
    return (fs::is_directory(memory, ec) ? memory : fs::temp_directory_path()) /
           ("talvex-fuzz-profile-" + std::to_string(::getpid()));
}

// Everything an input does not change, made once per process.
struct Workspace {
    Workspace() {
        std::error_code ec;
        fs::remove_all(folder, ec);
        fs::create_directories(store.folder());
        check(store.createProfile() == ProfileStatus::Done);
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    const fs::path folder = workspaceFolder();
    const fs::path input = folder / "keymap.bin";
    ProfileStore store{folder / "profiles"};
    const DeviceSettings zero = zeroSettings();
    // 196 KB each, and ASan maps every allocation that large afresh: kept, not made per input.
    std::unique_ptr<KeyAssignments> assignments = std::make_unique<KeyAssignments>();
    std::unique_ptr<KeyAssignments> before = std::make_unique<KeyAssignments>();
    std::vector<std::uint8_t> profile = std::vector<std::uint8_t>(kKeymapFileSize + 1);
};

// Whole-block operations: under ASan and coverage tracing a byte loop over 196 KB costs more
// than the rest of an input.
void clear(KeyAssignments& assignments) {
    std::memset(assignments.bytes().data(), 0, kAssignmentsSize);
}

bool same(const KeyAssignments& a, const KeyAssignments& b) {
    return std::memcmp(a.bytes().data(), b.bytes().data(), kAssignmentsSize) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace space;
    {
        std::ofstream out(space.input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    DeviceSettings settings = space.zero;
    KeyAssignments& assignments = *space.assignments;
    clear(assignments);
    const FileResult load = loadKeymapFile(space.input, settings, assignments, false);
    check(load.status == (size == kKeymapFileSize ? FileStatus::Ok : FileStatus::WrongSize));
    const std::size_t inSettings = std::min(size, kDeviceSettingsSize);
    check(std::equal(data, data + inSettings, settings.bytes().begin()));

    // As the profile manager's load reads a chosen file: only the two sizes, nothing else moves.
    *space.before = assignments;
    const DeviceSettings settingsBefore = settings;
    const ProfileStatus status = readConfigurationFile(space.input, settings, assignments);
    if (size != kDeviceSettingsSize && size != kKeymapFileSize) {
        check(status == ProfileStatus::WrongSize && settings == settingsBefore &&
              same(assignments, *space.before));
        return 0;
    }
    check(status == ProfileStatus::Done);
    (void)firstProblem(settings, &assignments, nullptr, CheckScope::Send);
    (void)hasWorkingKey(settings);
    check(space.store.storeWorkingToProfile(0, settings, assignments, std::nullopt) ==
          ProfileStatus::Done);
    // Read back apart from the program's own reader and writer: the image, then the entries.
    std::ifstream in(space.store.pathTable()[0], std::ios::binary);
    in.read(reinterpret_cast<char*>(space.profile.data()),
            static_cast<std::streamsize>(space.profile.size()));
    const std::uint8_t* written = space.profile.data();
    check(in.gcount() == static_cast<std::streamsize>(kKeymapFileSize) &&
          std::equal(settings.bytes().begin(), settings.bytes().end(), written) &&
          std::equal(assignments.bytes().begin(), assignments.bytes().end(),
                     written + kDeviceSettingsSize));
    return 0;
}
