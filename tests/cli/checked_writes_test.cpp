// What `apply` refuses to send, met as a user meets it: a file of another kind, random or zero
// bytes, unusual settings, a configuration that leaves no key working.

#include "cli_fixture.h"
#include "hostile_files.h"
#include "keys/keymap_file.h"

#include <cstddef>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::factoryWithByte;
using testing::randomBytes;

class CheckedWrites : public testing::Cli {};

TEST_F(CheckedWrites, ApplySendsNothingUncheckedAndForceOverridesOnlyWhatMayBe) {
    const Bytes factory = factoryConfigurationBytes();
    const Bytes random = randomBytes(kDeviceSettingsSize, 11);
    const std::size_t rate = offsetof(DeviceSettings, reportInterval);
    const std::size_t firstSlot = offsetof(DeviceSettings, keyTable);
    const std::size_t firstType = kDeviceSettingsSize + 1;
    struct Row {
        const char* what;
        Bytes file;
        bool force;
        int exitCode;
        const char* says;
    };
    const Row rows[] = {
        {"random bytes", random, true, 2, "has kind"},
        {"zero bytes", Bytes(kDeviceSettingsSize, 0), false, 2, "--force sends it anyway"},
        {"MacroDefine.bin's size", Bytes(170260, 1), true, 2, "expected a 10060-byte"},
        {"a settings image and a bit", Bytes(kDeviceSettingsSize + 1, 1), true, 2, "expected"},
        {"a macro slot the keyboard lacks", factoryWithByte(firstSlot + 4 * 5, 4), true, 2,
         "plays macro"},
        {"an unknown assignment type", factoryWithByte(firstType, 9), true, 2, "type"},
        {"report rate 62", factoryWithByte(rate, 62), false, 2, "--force sends it anyway"},
        {"report rate 62, forced", factoryWithByte(rate, 62), true, 0, "applied"},
        {"zero bytes, forced", Bytes(kDeviceSettingsSize, 0), true, 0, "applied"},
        {"the factory configuration", factory, false, 0, "applied"},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(state);
        ASSERT_EQ(run({"--simulate=" + state, "set", "speed=3"}), 0) << err;
        const DeviceSettings before = stateImage();
        writeFile("in.bin", row.file);
        std::vector<std::string> args = {"--simulate=" + state};
        if (row.force)
            args.push_back("--force");
        args.insert(args.end(), {"apply", (dir / "in.bin").string()});
        EXPECT_EQ(run(args), row.exitCode) << row.what << ": " << err;
        EXPECT_NE((out + err).find(row.says), std::string::npos) << row.what << ": " << err;
        if (row.exitCode != 0) {
            EXPECT_EQ(stateImage(), before) << row.what;
        }
    }
}

} // namespace
} // namespace talvex
